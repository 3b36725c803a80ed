#pragma once
// The program's errors. A header of its own, below every other unit, so that the
// calendar and the parses can raise them without reaching up into the shared
// routines of Utils.

#include <stdexcept>
#include <string>

// An error raised by the program; its message is shown to the user as it stands.
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& Message) : std::runtime_error(Message) {}
};

// A file-system error while reading or writing a file.
class EInOutError : public Exception {
 public:
  using Exception::Exception;
};

// A number that a field cannot store: a value beyond its range, typed, read
// from a file or summed from one. The message names the value and the field
// ("Value 45000000.00 does not fit field TotalVolContribAmt").
class EDoesNotFit : public Exception {
 public:
  EDoesNotFit(const std::string& Message, const std::string& Field)
      : Exception(Message), FieldName(Field) {}
  std::string FieldName;
};

// The silent abort: ends the handling of the current event without a message.
class EAbort : public Exception {
 public:
  EAbort() : Exception("Operation aborted") {}
};
