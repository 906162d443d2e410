#pragma once
// Exceptions raised inside the file readers; each carries only its message.
#include <exception>
#include <string>

namespace vorlix {

class EVorlixError : public std::exception {
public:
    explicit EVorlixError(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& Message() const { return message_; }

private:
    std::string message_;
};

class EMinorEPDError : public EVorlixError {
public:
    using EVorlixError::EVorlixError;
};

class EMajorEPDError : public EVorlixError {
public:
    using EVorlixError::EVorlixError;
};

class EPGNFileError : public EVorlixError {
public:
    using EVorlixError::EVorlixError;
};

class EIllegalMoveData : public EVorlixError {
public:
    using EVorlixError::EVorlixError;
};

// A system file error; Code is the number of the shared I/O error table.
class EInOutError : public EVorlixError {
public:
    explicit EInOutError(int code);
    // A failure the table has no text for.
    EInOutError(int code, std::string message);
    int Code;
};

}  // namespace vorlix
