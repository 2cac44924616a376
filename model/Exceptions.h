#pragma once

#include <exception>
#include <string>

// The error kinds of the program. A failure is thrown where it is known, carries a message a person can
// read, and is reported in one place (app/ErrorReport). what() is that message in UTF-8.
class Exception : public std::exception
{
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}

    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& message() const noexcept { return message_; }

private:
    std::string message_;
};

// Text that does not read as a number.
class EConvertError : public Exception
{
public:
    using Exception::Exception;
};

// Faults of the arithmetic unit.
class EExternal : public Exception
{
public:
    using Exception::Exception;
};

class EMathError : public EExternal
{
public:
    using EExternal::EExternal;
};

class EZeroDivide : public EMathError
{
public:
    EZeroDivide() : EMathError("Floating point division by zero") {}
};

class EOverflow : public EMathError
{
public:
    EOverflow() : EMathError("Floating point overflow") {}
};

class EInvalidOp : public EMathError
{
public:
    EInvalidOp() : EMathError("Invalid floating point operation") {}
};
