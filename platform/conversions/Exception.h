#pragma once
// The exception class of the window layer: a message for the user, nothing else.

#include <exception>
#include <string>
#include <utility>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const std::string& Message() const noexcept { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// Raised by StrToFloat for text that is not a number.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};
