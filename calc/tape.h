#pragma once

#include <QChar>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace calc {

/// The locale the tape writes its amounts in: the currency format of the locale, the number of
/// currency decimals and the decimal separator of currency amounts (DS).
struct TapeLocale {
    QLocale locale;
    int currencyDigits = 2;
    QChar decimalSeparator = QLatin1Char(',');
};

/// The values of the user's locale: the currency decimals are those Qt uses for the locale's
/// currency, the separator is the locale's decimal point.
TapeLocale tapeLocale(const QLocale& locale = QLocale());

/// The operators of the tape; None is "no pending operator".
enum class Op { None, Plus, Minus, Times, Divide, Equals };

/// The mark an operator leaves on the tape: + - × ÷ =.
QChar mark(Op op);
/// The mark of a total line.
inline QChar totalMark() {
    return QChar(0x2261);
}  // ≡

/// The number of a line: its digits and separators in their order. `negative` is set when the
/// amount carries the locale's minus sign or opening parenthesis before its first digit, so
/// that a negative total read back from the tape keeps its sign.
struct TapeNumber {
    QString digits;
    bool negative = false;

    bool isEmpty() const { return digits.isEmpty(); }
};

/// The adding machine behind the calculator window: a list of tape lines with a current line,
/// the running total and the pending operator. Every operation either completes or throws
/// data::Error and leaves the whole state as it was.
class Tape {
public:
    explicit Tape(TapeLocale locale = tapeLocale());

    const TapeLocale& locale() const { return loc_; }

    const QStringList& lines() const { return lines_; }
    /// Index of the line holding the caret (0 on an empty tape).
    int currentLine() const { return current_; }
    QString currentText() const { return lines_.value(current_); }
    /// Takes the tape as the window shows it (the user may have changed it with Delete or moved
    /// the caret). An empty line at the very end does not count as a line.
    void setLines(const QStringList& lines, int current);
    void setCurrentLine(int current);

    double total() const { return total_; }
    Op pending() const { return pending_; }
    Op lastKey() const { return lastKey_; }

    /// What a key asks the window to do afterwards.
    enum class After { Nothing, Close };

    /// A typed character: operators, "a"/"A" (hand over), "t"/"T" (clear), Enter ("\r"),
    /// "," and "." (the separator) and everything else retypes the current line.
    /// Throws data::ConversionError when the line would be left without a number.
    After key(QChar c);

    /// Retypes the current line with the character c (a digit or DS is added to its number).
    void retype(QChar c);
    /// Drops the last character of the current line's number.
    void backspace();
    /// Adds "000" to the current line's number.
    void insertThousands();
    /// An operator key. Throws data::Error on division by zero or an overflow.
    void applyOperator(Op k);
    /// "Temizle": empties the tape and forgets the total and the pending operator.
    void clear();
    /// "Aktar": the running total becomes the remembered result.
    void handOver();
    /// On showing the window: a remembered result other than 0 is written on the current line.
    void showRemembered(double remembered);

    /// The amount x in the locale's currency format with exactly `decimals` decimals.
    QString currencyText(double x, int decimals) const;
    /// The text of a total: up to five decimals, trailing zeros dropped where the text ends in
    /// them; a whole number without decimals.
    QString totalText(double t) const;
    TapeNumber numberOf(const QString& line) const;
    /// The count of characters after the separator in a number.
    int typedDecimals(const TapeNumber& n) const;
    /// The value of a number; throws data::ConversionError when it has no digit.
    double valueOf(const TapeNumber& n) const;

private:
    void setCurrentText(const QString& text);
    TapeNumber plainNumber(double t) const;

    TapeLocale loc_;
    QStringList lines_;
    int current_ = 0;
    double total_ = 0;
    Op pending_ = Op::None;
    Op lastKey_ = Op::None;
};

/// The result handed over by "Aktar": one value for the whole run, 0 at start.
double rememberedResult();
void setRememberedResult(double value);

}  // namespace calc
