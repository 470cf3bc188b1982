#pragma once

#include <QString>
#include <stdexcept>

namespace data {

/// Base of every error of the data layer: a code and a Turkish message for the user.
class Error : public std::runtime_error {
public:
    enum class Code {
        Store,
        Constraint,
        Range,
        Conversion,
        Filter,
        State,
        NoField,
        NoTable,
        Format
    };
    Error(Code code, const QString& message)
        : std::runtime_error(message.toStdString()), code_(code), message_(message) {}
    Code code() const { return code_; }
    const QString& message() const { return message_; }

private:
    Code code_;
    QString message_;
};

/// A text that cannot be read as a number, a date or a truth value ("Yanlış girdiniz!").
class ConversionError : public Error {
public:
    explicit ConversionError(const QString& message) : Error(Code::Conversion, message) {}
};

/// A filter text that does not parse or names an unknown field; position is 1-based.
class FilterError : public Error {
public:
    FilterError(const QString& message, int position)
        : Error(Code::Filter, message), position_(position) {}
    int position() const { return position_; }

private:
    int position_;
};

/// Thrown by an event handler to abandon the operation silently (no further message).
class Abort : public std::exception {
public:
    const char* what() const noexcept override { return "abort"; }
};

}  // namespace data
