#pragma once
// A message as a message box can show it: a value quoted in it ("...") that
// is longer than a screen line is shortened, and control bytes are written
// as \xNN, so a refusal that quotes a huge or binary value still fits the
// screen and says what it quotes.

#include <string>
#include <string_view>

namespace cuffware {

inline constexpr size_t kQuotedValueShownLength = 60;

// Each quoted value longer than kQuotedValueShownLength characters keeps its
// first 40 and last 10, with "... (N characters) ..." between them; every
// byte below 32 other than the line end and the tab, and 127, becomes \xNN.
// The rest of the text stays as it is.
std::string DisplayableMessage(std::string_view text);

}  // namespace cuffware
