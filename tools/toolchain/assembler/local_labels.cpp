#include "toolchain/assembler/local_labels.h"

#include "toolchain/assembler/expression.h"

namespace cuffware::toolchain {

namespace {

// The length of the name at the start of text (letters, digits, "_").
size_t WordLength(std::string_view text) {
    size_t end = 0;
    while (end < text.size() && IsNameCharacter(text[end]))
        ++end;
    return end;
}

bool IsLocalName(std::string_view text) {
    return text.size() > 1 && text[0] == '.' && IsIdentifier(text.substr(1));
}

}  // namespace

bool IsLabelName(std::string_view text) {
    if (IsLocalName(text))
        return true;
    size_t dot = text.find('.');
    if (!IsIdentifier(text.substr(0, dot)))
        return false;
    while (dot != std::string_view::npos) {
        text.remove_prefix(dot + 1);
        dot = text.find('.');
        std::string_view part = text.substr(0, dot);
        if (part.empty() || WordLength(part) != part.size())
            return false;
    }
    return true;
}

Status LabelScope::Qualify(Statement& statement, bool usesMacro) {
    if (statement.kind == Statement::kOther && !statement.label.empty()) {
        if (statement.label.find('.') == std::string::npos) {
            scope_ = statement.label;  // an ordinary label, as it stands
        } else {
            Result<std::string> label = Qualified(statement.label);
            if (!label)
                return label.error();
            statement.label = *label;
        }
    }
    bool hasExpressions =
        (statement.kind == Statement::kOther && !usesMacro) ||
        (statement.kind == Statement::kDefinition && statement.definer != "MACRO");
    if (!hasExpressions)
        return Status::Ok();
    if (statement.operands.find('.') == std::string::npos)
        return Status::Ok();  // no local label in them
    Result<std::string> operands = Qualified(statement.operands);
    if (!operands)
        return operands.error();
    statement.operands = *operands;
    return Status::Ok();
}

// The text with each ".name" outside quotes that does not continue a word
// or a number made "Scope.name".
Result<std::string> LabelScope::Qualified(std::string_view text) const {
    std::string result;
    char quote = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (quote) {
            quote = c == quote ? 0 : quote;
        } else if (IsQuote(c)) {
            quote = c;
        } else if (c == '.' && (i == 0 || !(IsNameCharacter(text[i - 1]) || text[i - 1] == '.'))) {
            size_t length = WordLength(text.substr(i + 1));
            if (IsLocalName(text.substr(i, length + 1))) {
                if (scope_.empty())
                    return Diagnostic{{},
                                      0,
                                      "local label '" + std::string(text.substr(i, length + 1)) +
                                          "' before any ordinary label"};
                result += scope_;
            }
        }
        result += c;
    }
    return result;
}

}  // namespace cuffware::toolchain
