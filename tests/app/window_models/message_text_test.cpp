#include "app/window_models/message_text.h"

#include <gtest/gtest.h>

namespace cuffware {
namespace {

TEST(DisplayableMessage, ShortensLongQuotedValuesAndEscapesControlBytes) {
    std::string huge(20000, '9');
    std::string shown = DisplayableMessage(
        "The builder script was not opened.\nPATH, line 16: the file count of \"Parameter "
        "File\" must be a whole number from 0 to 1048576, not \"" +
        huge + "\"");
    EXPECT_EQ(shown,
              "The builder script was not opened.\nPATH, line 16: the file count of \"Parameter "
              "File\" must be a whole number from 0 to 1048576, not \"" +
                  std::string(40, '9') + "... (20000 characters) ..." + std::string(10, '9') +
                  "\"");

    // Control bytes anywhere, high bytes and a value of exactly 60 as they are,
    // an unpaired quote left alone.
    std::string sixty(60, 'x');
    EXPECT_EQ(DisplayableMessage(std::string("a\x01\tb\x7F \"") + sixty + "\" \xE9 \"open\x1B"),
              "a\\x01\tb\\x7F \"" + sixty + "\" \xE9 \"open\\x1B");
    std::string binary("\0\x02\xFF", 3);
    EXPECT_EQ(DisplayableMessage("not \"" + binary + "\""), "not \"\\x00\\x02\xFF\"");
}

}  // namespace
}  // namespace cuffware
