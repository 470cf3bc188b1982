#pragma once

#include <QString>
#include <stdexcept>

namespace report {

/// An error of the report engine (a file that cannot be written or read, a damaged report
/// file); the message is the Turkish text shown to the user.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    QString message() const { return message_; }

private:
    QString message_;
};

}  // namespace report
