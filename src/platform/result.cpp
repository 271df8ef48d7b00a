#include "platform/result.h"

namespace cuffware {

std::string Diagnostic::Text() const {
    std::string text = path;
    if (line > 0)
        text += ", line " + std::to_string(line);
    if (!text.empty())
        text += ": ";
    return text + message;
}

}  // namespace cuffware
