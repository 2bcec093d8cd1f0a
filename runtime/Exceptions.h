#pragma once
// Platform faults and internal consistency checks. Script errors are never
// exceptions (they go through ReportError); these leave the engine only for
// faults no routine handles, and the window that called shows their text.

#include <stdexcept>
#include <string>

class EQuantrelError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// A failed internal consistency check; the text is "<tag> (<unit>, line <n>)".
class EAssertionFailed : public EQuantrelError {
public:
  EAssertionFailed(const std::string& tag, const std::string& unit, int line);
};

class EIntOverflow : public EQuantrelError {
public:
  EIntOverflow() : EQuantrelError("Integer overflow") {}
};

class ERangeError : public EQuantrelError {
public:
  ERangeError() : EQuantrelError("Range check error") {}
};

class EDivByZero : public EQuantrelError {
public:
  EDivByZero() : EQuantrelError("Division by zero") {}
};

class EZeroDivide : public EQuantrelError {
public:
  EZeroDivide() : EQuantrelError("Floating point division by zero") {}
};

class EInvalidOp : public EQuantrelError {
public:
  EInvalidOp() : EQuantrelError("Invalid floating point operation") {}
};

class EOverflow : public EQuantrelError {
public:
  EOverflow() : EQuantrelError("Floating point overflow") {}
};

// Storage that cannot exist, refused before it is asked for, or an
// allocation that failed.
class ENotEnoughMemory : public EQuantrelError {
public:
  ENotEnoughMemory() : EQuantrelError("Not enough memory") {}
};

// A long computation that stopped for an abort request; the caller fails
// as an aborted run does, without an error line of its own.
class EAborted : public EQuantrelError {
public:
  EAborted() : EQuantrelError("Execution terminated") {}
};

// A packaged library that cannot be deciphered.
class EAESError : public EQuantrelError {
public:
  using EQuantrelError::EQuantrelError;
};

// A stream that gave or took fewer bytes than asked for.
class EStreamError : public EQuantrelError {
public:
  using EQuantrelError::EQuantrelError;
};

// A file stream whose file cannot be opened: "Cannot open file "<name>". <reason>".
class EFOpenError : public EStreamError {
public:
  EFOpenError(const std::string& name, const std::string& reason)
      : EStreamError("Cannot open file \"" + name + "\". " + reason) {}
};

// A file stream whose file cannot be made: "Cannot create file "<name>". <reason>".
class EFCreateError : public EStreamError {
public:
  EFCreateError(const std::string& name, const std::string& reason)
      : EStreamError("Cannot create file \"" + name + "\". " + reason) {}
};

// A property value given as text that names no element of the property's set.
class EPropertyConvertError : public EQuantrelError {
public:
  using EQuantrelError::EQuantrelError;
};

// A text that does not convert to the value asked for (StrToInt).
class EConvertError : public EQuantrelError {
public:
  using EQuantrelError::EQuantrelError;
};

// An operation that the object's present state does not allow (a window
// without a parent, a modal form already shown).
class EInvalidOperation : public EQuantrelError {
public:
  using EQuantrelError::EQuantrelError;
};

[[noreturn]] void AssertionFailure(const char* tag, const char* file, int line);

// Tag is the eight-digit hexadecimal text that identifies the check.
#define QASSERT(condition, tag)                                   \
  do {                                                            \
    if (!(condition)) AssertionFailure((tag), __FILE__, __LINE__); \
  } while (0)
