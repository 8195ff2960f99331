#pragma once

#include <string>
#include <utility>
#include <variant>

namespace orvane::core {

// The message a user sees when an operation is refused or fails: the program's own text,
// usually the file path followed by the reason.
struct Error {
  std::string message;
};

// A value or the error that prevented it (g++ 12 has no std::expected).
template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::move(value)) {}
  Result(Error error) : state_(std::move(error)) {}

  bool ok() const { return std::holds_alternative<T>(state_); }
  explicit operator bool() const { return ok(); }

  T& value() { return std::get<T>(state_); }
  const T& value() const { return std::get<T>(state_); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }
  T& operator*() { return value(); }
  const T& operator*() const { return value(); }

  const std::string& error() const { return std::get<Error>(state_).message; }

 private:
  std::variant<T, Error> state_;
};

struct Done {};
using Status = Result<Done>;

inline Status ok_status() {
  return Done{};
}

}  // namespace orvane::core
