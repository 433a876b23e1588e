#pragma once

#include <string>
#include <utility>
#include <variant>

namespace qvx {

// A failure, in plain words ready to be shown to the user; converts to any
// Result.
struct Failure {
    std::string message;
};

inline Failure Fail(std::string message) {
    return Failure{std::move(message)};
}

// The outcome of an operation that can fail: a value, or what went wrong.
template <typename T>
class Result {
  public:
    Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Result(Failure failure) : state_(std::in_place_index<1>, std::move(failure.message)) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }
    // Only on success.
    T& value() { return std::get<0>(state_); }
    const T& value() const { return std::get<0>(state_); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }
    T value_or(T fallback) const { return ok() ? value() : std::move(fallback); }
    // Equal to a value only when it holds one equal to it.
    bool operator==(const T& other) const { return ok() && value() == other; }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    // Empty on success.
    const std::string& error() const {
        static const std::string none;
        return ok() ? none : std::get<1>(state_);
    }

  private:
    std::variant<T, std::string> state_;
};

// Success without a value, or what went wrong.
template <>
class Result<void> {
  public:
    Result() = default;
    Result(Failure failure) : ok_(false), error_(std::move(failure.message)) {}

    bool ok() const { return ok_; }
    explicit operator bool() const { return ok_; }
    // Empty on success.
    const std::string& error() const { return error_; }

  private:
    bool ok_ = true;
    std::string error_;
};

}  // namespace qvx
