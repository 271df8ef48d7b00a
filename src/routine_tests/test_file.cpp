#include "routine_tests/test_file.h"

#include <array>
#include <cctype>
#include <set>

#include "platform/text_rules.h"

namespace cuffware {

namespace {

constexpr std::array<std::string_view, 6> kEightBitRegisters = {"A", "B", "H", "L", "BR", "SC"};
constexpr std::array<std::string_view, 6> kWordRegisters = {"BA", "HL", "IX", "IY", "SP", "PC"};
constexpr std::array<std::string_view, 6> kFlags = {"Z", "C", "V", "N", "D", "U"};
constexpr long long kLargestCount = 1'000'000'000;

template <size_t N>
bool Among(const std::array<std::string_view, N>& names, std::string_view name) {
    for (std::string_view known : names)
        if (known == name)
            return true;
    return false;
}

struct Token {
    std::string text;
    int column = 0;  // 1-based
};

bool IsWordCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.' || c == '?' ||
           c == '@';
}

// The line's words and marks up to its comment; an unknown mark is a token
// of its own so the parser can name it.
std::vector<Token> Tokens(std::string_view line) {
    std::vector<Token> tokens;
    size_t at = 0;
    while (at < line.size()) {
        char c = line[at];
        int column = static_cast<int>(at) + 1;
        if (c == ';')
            break;
        if (c == ' ' || c == '\t' || c == '\r') {
            ++at;
        } else if (IsWordCharacter(c)) {
            size_t end = at;
            while (end < line.size() && IsWordCharacter(line[end]))
                ++end;
            tokens.push_back({std::string(line.substr(at, end - at)), column});
            at = end;
        } else if (line.substr(at, 2) == "<=") {
            tokens.push_back({"<=", column});
            at += 2;
        } else {
            tokens.push_back({std::string(1, c), column});
            ++at;
        }
    }
    return tokens;
}

bool AllOf(std::string_view text, const char* digits) {
    return !text.empty() && text.find_first_not_of(digits) == std::string_view::npos;
}

// 0x1F, 1Fh, 31; nullopt when the word is no number or too large.
std::optional<long long> Number(std::string_view word) {
    std::string lower;
    for (char c : word)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    int base = 10;
    std::string_view digits = lower;
    if (digits.starts_with("0x")) {
        base = 16;
        digits.remove_prefix(2);
    } else if (digits.size() > 1 && digits.ends_with('h')) {
        base = 16;
        digits.remove_suffix(1);
    }
    if (!AllOf(digits, base == 16 ? "0123456789abcdef" : "0123456789") || digits.size() > 15)
        return std::nullopt;
    return std::stoll(std::string(digits), nullptr, base);
}

class LineParser {
  public:
    LineParser(std::vector<Token> tokens, int line, const std::string& path)
        : tokens_(std::move(tokens)), line_(line), path_(path) {}

    const std::optional<TestFileError>& error() const { return error_; }
    bool AtEnd() const { return next_ >= tokens_.size(); }
    const Token& Peek() const { return tokens_[next_]; }
    int Column() const { return AtEnd() ? EndColumn() : Peek().column; }

    bool Fail(int column, std::string reason) {
        if (!error_)
            error_ = TestFileError{path_, line_, column, std::move(reason)};
        return false;
    }
    bool FailHere(const std::string& wanted) {
        if (AtEnd())
            return Fail(Column(), "expected " + wanted + " at the end of the line");
        return Fail(Column(),
                    "expected " + wanted + ", not '" + ControlBytesEscaped(Peek().text) + "'");
    }

    bool Accept(std::string_view text) {
        if (AtEnd() || !SameWord(Peek().text, text))
            return false;
        ++next_;
        return true;
    }
    bool Expect(std::string_view text) {
        return Accept(text) || FailHere("'" + std::string(text) + "'");
    }
    bool ExpectEnd() { return AtEnd() || FailHere("the end of the line"); }

    std::optional<std::string> Name(const std::string& what) {
        if (AtEnd() || !IsName(Peek().text)) {
            FailHere(what);
            return std::nullopt;
        }
        return tokens_[next_++].text;
    }

    std::optional<long long> Count(const std::string& what) {
        int column = Column();
        if (AtEnd() || !Number(Peek().text)) {
            FailHere(what);
            return std::nullopt;
        }
        long long count = *Number(tokens_[next_++].text);
        if (count > kLargestCount) {
            Fail(column, what + " up to " + std::to_string(kLargestCount));
            return std::nullopt;
        }
        return count;
    }

    std::optional<TestValue> Value() {
        if (AtEnd() || !IsWordCharacter(Peek().text[0])) {
            FailHere("a number or a name");
            return std::nullopt;
        }
        const Token& word = tokens_[next_++];
        if (!IsName(word.text)) {
            std::optional<long long> number = Number(word.text);
            if (!number) {
                Fail(word.column, "'" + word.text + "' is no number (0x1F, 1Fh or 31)");
                return std::nullopt;
            }
            return TestValue{"", *number};
        }
        std::string upper = ToUpperAscii(word.text);
        if (IsTestRegister(upper) || IsTestFlag(upper)) {
            Fail(word.column, "'" + word.text + "' is a register or a flag, not a value");
            return std::nullopt;
        }
        TestValue value{word.text, 0};
        if (!AtEnd() && (Peek().text == "+" || Peek().text == "-")) {
            bool minus = tokens_[next_++].text == "-";
            std::optional<long long> offset = Count("a number after the sign");
            if (!offset)
                return std::nullopt;
            value.offset = minus ? -*offset : *offset;
        }
        return value;
    }

    // A value a plain number of which must fit target.
    std::optional<TestValue> ValueFitting(const TestTarget& target) {
        int column = Column();
        std::optional<TestValue> value = Value();
        if (!value || !FitsTarget(target, *value, column))
            return std::nullopt;
        return value;
    }

    std::optional<TestTarget> Target() {
        int column = Column();
        if (Accept("[")) {
            std::optional<TestValue> address = Value();
            if (!address || !Expect("]"))
                return std::nullopt;
            return TestTarget{TestTarget::Kind::kMemory, "", *address};
        }
        std::optional<std::string> name = Name("a register, a flag or [address]");
        if (!name)
            return std::nullopt;
        std::string upper = ToUpperAscii(*name);
        if (IsTestRegister(upper))
            return TestTarget{TestTarget::Kind::kRegister, upper, {}};
        if (IsTestFlag(upper))
            return TestTarget{TestTarget::Kind::kFlag, upper, {}};
        Fail(column, "no register or flag '" + *name +
                         "' (A, B, H, L, BA, HL, IX, IY, SP, BR, "
                         "SC, PC; flags Z, C, V, N, D, U)");
        return std::nullopt;
    }

    // target = value[, target = value...]
    std::optional<std::vector<TestAssignment>> Assignments() {
        std::vector<TestAssignment> assignments;
        do {
            TestAssignment assignment;
            assignment.line = line_;
            assignment.column = Column();
            std::optional<TestTarget> target = Target();
            if (!target || !Expect("="))
                return std::nullopt;
            assignment.target = *target;
            do {
                std::optional<TestValue> value = ValueFitting(*target);
                if (!value)
                    return std::nullopt;
                assignment.values.push_back(*value);
            } while (target->kind == TestTarget::Kind::kMemory && !AtEnd() && Peek().text != ",");
            assignments.push_back(std::move(assignment));
        } while (Accept(","));
        if (!ExpectEnd())
            return std::nullopt;
        return assignments;
    }

  private:
    static bool SameWord(std::string_view a, std::string_view b) {
        return ToUpperAscii(std::string(a)) == ToUpperAscii(std::string(b));
    }
    static bool IsName(std::string_view word) {
        return std::isalpha(static_cast<unsigned char>(word[0])) || word[0] == '_' ||
               word[0] == '.' || word[0] == '?' || word[0] == '@';
    }
    int EndColumn() const {
        return tokens_.empty()
                   ? 1
                   : tokens_.back().column + static_cast<int>(tokens_.back().text.size());
    }

    // A plain number is checked here; a name's value when the test runs.
    bool FitsTarget(const TestTarget& target, const TestValue& value, int column) {
        if (!value.name.empty())
            return true;
        long long largest = LargestValue(target);
        if (value.offset <= largest)
            return true;
        std::string what =
            target.kind == TestTarget::Kind::kFlag ? "a flag is 0 or 1"
            : target.kind == TestTarget::Kind::kMemory
                ? "a byte is 0 to 0xFF"
                : target.name + " holds 0 to " + (largest == 0xFF ? "0xFF" : "0xFFFF");
        return Fail(column, what + ", not " + std::to_string(value.offset));
    }

    std::vector<Token> tokens_;
    size_t next_ = 0;
    int line_;
    const std::string& path_;
    std::optional<TestFileError> error_;
};

class FileParser {
  public:
    explicit FileParser(const std::string& path) : path_(path) {}

    bool Line(std::string_view text, int number) {
        currentLine_ = number;
        LineParser line(Tokens(text), number, path_);
        bool ok = line.AtEnd() || Statement(line, text);
        error = line.error();
        return ok && !error;
    }

    bool Finish(int lastLine) {
        if (open_) {
            error = TestFileError{path_, lastLine, 1,
                                  "test '" + current_.name + "' (line " +
                                      std::to_string(current_.line) + ") has no 'end'"};
            return false;
        }
        return true;
    }

    std::vector<RoutineTest> tests;
    std::optional<TestFileError> error;

  private:
    bool Statement(LineParser& line, std::string_view text) {
        int column = line.Column();
        if (!open_) {
            if (!line.Accept("test"))
                return line.FailHere("'test NAME'");
            return Begin(line, text);
        }
        if (line.Accept("test"))
            return line.Fail(column, "test '" + current_.name + "' (line " +
                                         std::to_string(current_.line) + ") has no 'end' before");
        if (line.Accept("end"))
            return line.ExpectEnd() && End(line, column);
        if (line.Accept("call"))
            return Call(line, column);
        if (line.Accept("set"))
            return Into(line.Assignments(), current_.inputs);
        if (line.Accept("expect"))
            return Expectation(line);
        if (line.Accept("stub"))
            return Stub(line);
        return line.FailHere("call, set, stub, expect or end");
    }

    bool Begin(LineParser& line, std::string_view text) {
        size_t comment = text.find(';');
        std::string name = Trimmed(text.substr(0, comment).substr(line.Column() - 1));
        if (name.empty() || line.AtEnd())
            return line.FailHere("a name after 'test'");
        if (HasControlByte(name))
            return line.Fail(line.Column(), "a test's name holds no control character");
        if (!names_.insert(name).second)
            return line.Fail(line.Column(), "a second test named '" + name + "'");
        current_ = RoutineTest{};
        current_.name = name;
        current_.line = currentLine_;
        open_ = true;
        return true;
    }

    bool End(LineParser& line, int column) {
        if (current_.routine.empty())
            return line.Fail(column, "test '" + current_.name + "' calls no routine ('call NAME')");
        tests.push_back(std::move(current_));
        open_ = false;
        return true;
    }

    bool Call(LineParser& line, int column) {
        if (!current_.routine.empty())
            return line.Fail(column, "a test calls one routine");
        current_.routineColumn = line.Column();
        std::optional<std::string> routine = line.Name("the routine's label");
        if (!routine || !line.ExpectEnd())
            return false;
        current_.routine = *routine;
        current_.routineLine = currentLine_;
        return true;
    }

    static bool Into(std::optional<std::vector<TestAssignment>> parsed,
                     std::vector<TestAssignment>& into) {
        if (!parsed)
            return false;
        into.insert(into.end(), parsed->begin(), parsed->end());
        return true;
    }

    bool Expectation(LineParser& line) {
        for (auto [word, limit] : {std::pair{"cycles", &current_.maxCycles},
                                   std::pair{"stack", &current_.maxStackBytes}}) {
            int column = line.Column();
            if (!line.Accept(word))
                continue;
            if (*limit)
                return line.Fail(column, std::string("a second limit of ") + word);
            if (!line.Expect("<="))
                return false;
            *limit = line.Count(std::string("the most ") + word);
            return *limit && line.ExpectEnd();
        }
        return Into(line.Assignments(), current_.expected);
    }

    bool Stub(LineParser& line) {
        TestStub stub;
        stub.line = currentLine_;
        stub.column = line.Column();
        std::optional<std::string> entry = line.Name("the SDK entry point's name");
        if (!entry)
            return false;
        stub.entry = *entry;
        for (const TestStub& earlier : current_.stubs)
            if (earlier.entry == stub.entry)
                return line.Fail(stub.column, "a second stub of " + stub.entry);
        if (line.Accept("calls")) {
            std::optional<long long> calls = line.Count("the number of calls");
            if (!calls)
                return false;
            stub.calls = static_cast<int>(*calls);
        }
        if (line.Accept("returns")) {
            stub.returns = line.ValueFitting({TestTarget::Kind::kRegister, "BA", {}});
            if (!stub.returns)
                return false;
        }
        if (line.Accept("gives")) {
            std::optional<std::vector<TestAssignment>> gives = line.Assignments();
            if (!gives)
                return false;
            stub.gives = std::move(*gives);
        } else if (!line.ExpectEnd()) {
            return false;
        }
        current_.stubs.push_back(std::move(stub));
        return true;
    }

    const std::string& path_;
    int currentLine_ = 0;
    bool open_ = false;
    RoutineTest current_;
    std::set<std::string> names_;
};

}  // namespace

std::string TestFileError::Text() const {
    return path + ":" + std::to_string(line) + ":" + std::to_string(column) + ": error: " + reason;
}

bool IsTestRegister(std::string_view name) {
    return Among(kEightBitRegisters, name) || Among(kWordRegisters, name);
}

int TestRegisterBits(std::string_view name) {
    return Among(kWordRegisters, name) ? 16 : 8;
}

bool IsTestFlag(std::string_view name) {
    return Among(kFlags, name);
}

long long LargestValue(const TestTarget& target) {
    if (target.kind == TestTarget::Kind::kFlag)
        return 1;
    if (target.kind == TestTarget::Kind::kRegister && TestRegisterBits(target.name) == 16)
        return 0xFFFF;
    return 0xFF;
}

TestFileReading ReadTestFile(std::string_view text, const std::string& path) {
    FileParser parser(path);
    int number = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (!parser.Line(line, ++number))
            return {{}, parser.error};
        start = end + 1;
    }
    if (!parser.Finish(number))
        return {{}, parser.error};
    return {std::move(parser.tests), std::nullopt};
}

}  // namespace cuffware
