#pragma once
// The core holds text as bytes in the platform's 8-bit code page; Qt holds
// Unicode. Every crossing goes through these.

#include <QString>
#include <string>

namespace cuffware {

QString ToQt(const std::string& text);
std::string FromQt(const QString& text);

// A filter in the "Label|pattern|Label|pattern" form as a Qt file dialog
// filter: "Label;;Label", with " (pattern)" added to a label that does not
// already show its pattern in parentheses.
QString QtFileFilter(const std::string& filter);

}  // namespace cuffware
