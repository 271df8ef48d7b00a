#pragma once
// Failures travel as values: a Result holds either a value or a Diagnostic.

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace cuffware {

// What went wrong, where: the file (as the user named it), the line where
// there is one (0 when not), and the reason.
struct Diagnostic {
    std::string path;
    int line = 0;
    std::string message;

    // "PATH: MESSAGE", or "PATH, line N: MESSAGE" when a line is known.
    std::string Text() const;
};

template <class T>
class [[nodiscard]] Result {
  public:
    Result(T value) : content_(std::move(value)) {}
    Result(Diagnostic failure) : content_(std::move(failure)) {}

    bool ok() const { return content_.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() { return std::get<0>(content_); }
    const T& value() const { return std::get<0>(content_); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    const Diagnostic& error() const { return std::get<1>(content_); }

  private:
    std::variant<T, Diagnostic> content_;
};

// A Result without a value: success, or a Diagnostic.
class [[nodiscard]] Status {
  public:
    Status() = default;
    Status(Diagnostic failure) : failure_(std::move(failure)) {}
    static Status Ok() { return Status(); }

    bool ok() const { return !failure_.has_value(); }
    explicit operator bool() const { return ok(); }
    const Diagnostic& error() const { return *failure_; }

  private:
    std::optional<Diagnostic> failure_;
};

// The success or failure of a result, without its value.
template <class T>
Status StatusOf(const Result<T>& result) {
    return result ? Status::Ok() : Status(result.error());
}

}  // namespace cuffware
