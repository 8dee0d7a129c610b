#pragma once
#include <stdexcept>
#include <QString>

// An input/output error of the game's data files, with the classic error
// code (2 file not found, 5 access denied, 100 read past end, 101 disk full...).
class IoError : public std::runtime_error {
public:
    explicit IoError(int code);
    int code() const { return code_; }

    // The error's text by code: "File not found", ..., "I/O error %d".
    static QString text(int code);

private:
    int code_;
};
