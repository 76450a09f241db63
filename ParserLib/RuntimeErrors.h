// The runtime's exception family. Operator and function descriptors turn any of
// these that escape a procedure into the engine's own "invalid argument" message.
#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace talvex {

class Exception : public std::exception {
 public:
  explicit Exception(std::string Message) : FMessage(std::move(Message)) {}
  const char* what() const noexcept override { return FMessage.c_str(); }
  const std::string& Message() const noexcept { return FMessage; }
  void SetMessage(std::string Message) { FMessage = std::move(Message); }

 private:
  std::string FMessage;
};

// Text that a number, date or time reader cannot convert.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// Invalid operation, division by zero and overflow of real arithmetic. Results are
// checked after the fact (a non-finite result is an error) instead of trapping.
class EMathError : public Exception {
 public:
  using Exception::Exception;
};
class EInvalidOp : public EMathError {
 public:
  EInvalidOp() : EMathError("Invalid floating point operation") {}
};
class EZeroDivide : public EMathError {
 public:
  EZeroDivide() : EMathError("Floating point division by zero") {}
};
class EOverflow : public EMathError {
 public:
  EOverflow() : EMathError("Floating point overflow") {}
};
// Raised by the financial routines with the routine's name as the message.
class EInvalidArgument : public EMathError {
 public:
  using EMathError::EMathError;
};

[[noreturn]] void RaiseConvertError(std::string_view Text, std::string_view What);

}  // namespace talvex
