#include "calc/tape.h"

#include "data/errors.h"
#include "data/locale.h"

#include <cmath>

namespace calc {
namespace {

const QString kInputMark = QStringLiteral(" < ");

bool isAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

data::ConversionError notANumber(const QString& text) {
    return data::ConversionError(QStringLiteral("'%1' geçerli bir sayı değil.").arg(text));
}

double remembered = 0;

}  // namespace

TapeLocale tapeLocale(const QLocale& locale) {
    const data::LocaleValues v = data::localeValues(locale);
    TapeLocale t;
    t.locale = locale;
    t.currencyDigits = v.currencyDigits;
    t.decimalSeparator = v.decimalSeparator;
    return t;
}

QChar mark(Op op) {
    switch (op) {
        case Op::Plus:
            return QLatin1Char('+');
        case Op::Minus:
            return QLatin1Char('-');
        case Op::Times:
            return QChar(0x00D7);
        case Op::Divide:
            return QChar(0x00F7);
        case Op::Equals:
            return QLatin1Char('=');
        case Op::None:
            break;
    }
    return QChar();
}

double rememberedResult() {
    return remembered;
}
void setRememberedResult(double value) {
    remembered = value;
}

Tape::Tape(TapeLocale locale) : loc_(std::move(locale)) {}

void Tape::setLines(const QStringList& lines, int current) {
    lines_ = lines;
    if (lines_.size() > 1 && lines_.last().isEmpty())
        lines_.removeLast();
    if (lines_.size() == 1 && lines_.first().isEmpty())
        lines_.clear();
    setCurrentLine(current);
}

void Tape::setCurrentLine(int current) {
    current_ = qBound(0, current, qMax(0, int(lines_.size()) - 1));
}

void Tape::setCurrentText(const QString& text) {
    if (lines_.isEmpty()) {
        lines_.append(text);
        current_ = 0;
    } else {
        lines_[current_] = text;
    }
}

QString Tape::currencyText(double x, int decimals) const {
    return loc_.locale.toCurrencyString(x, QString(), decimals).trimmed();
}

QString Tape::totalText(double t) const {
    if (t == std::floor(t))
        return currencyText(t, 0);
    QString text = currencyText(t, 5);
    const int sep = text.lastIndexOf(loc_.decimalSeparator);
    while (sep >= 0 && text.size() > sep + 1 && text.endsWith(QLatin1Char('0'))) text.chop(1);
    return text;
}

TapeNumber Tape::numberOf(const QString& line) const {
    TapeNumber n;
    const QString text = line.trimmed();
    const QString minus = loc_.locale.negativeSign();
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (isAsciiDigit(c) || c == loc_.decimalSeparator) {
            n.digits.append(c);
        } else if (n.digits.isEmpty() &&
                   (c == QLatin1Char('(') || c == QLatin1Char('-') ||
                    (!minus.isEmpty() && text.mid(i, minus.size()) == minus))) {
            n.negative = true;
        }
    }
    return n;
}

int Tape::typedDecimals(const TapeNumber& n) const {
    const int sep = n.digits.indexOf(loc_.decimalSeparator);
    return sep < 0 ? 0 : int(n.digits.size()) - sep - 1;
}

double Tape::valueOf(const TapeNumber& n) const {
    QString plain = n.digits;
    plain.replace(loc_.decimalSeparator, QLatin1Char('.'));
    bool ok = false;
    const double v = n.digits.count(loc_.decimalSeparator) > 1 ? 0 : plain.toDouble(&ok);
    if (!ok)
        throw notANumber(n.digits);
    return n.negative ? -v : v;
}

TapeNumber Tape::plainNumber(double t) const {
    TapeNumber n;
    n.negative = t < 0;
    n.digits = QString::number(std::fabs(t), 'f', QLocale::FloatingPointShortest);
    n.digits.replace(QLatin1Char('.'), loc_.decimalSeparator);
    return n;
}

Tape::After Tape::key(QChar c) {
    switch (c.unicode()) {
        case '\r':
        case '\n':
        case '=':
            applyOperator(Op::Equals);
            break;
        case '+':
            applyOperator(Op::Plus);
            break;
        case '-':
            applyOperator(Op::Minus);
            break;
        case '*':
        case 'x':
        case 'X':
            applyOperator(Op::Times);
            break;
        case '/':
        case ':':
            applyOperator(Op::Divide);
            break;
        case 'a':
        case 'A':
            handOver();
            return After::Close;
        case 't':
        case 'T':
            clear();
            break;
        case ',':
        case '.':
            retype(loc_.decimalSeparator);
            break;
        default:
            retype(c);
            break;
    }
    return After::Nothing;
}

void Tape::retype(QChar c) {
    QString text = currentText().trimmed();
    const bool sep = c == loc_.decimalSeparator;
    if (isAsciiDigit(c) || sep)
        text.append(c);
    const TapeNumber n = numberOf(text);
    QString line = currencyText(valueOf(n), typedDecimals(n));
    if (sep)
        line.append(c);
    setCurrentText(line + kInputMark);
}

void Tape::backspace() {
    TapeNumber n = numberOf(currentText());
    n.digits.chop(1);
    if (n.digits.isEmpty()) {
        setCurrentText(kInputMark);
        return;
    }
    setCurrentText(currencyText(valueOf(n), typedDecimals(n)) + kInputMark);
}

void Tape::insertThousands() {
    const TapeNumber n = numberOf(currentText().trimmed() + QStringLiteral("000"));
    setCurrentText(currencyText(valueOf(n), typedDecimals(n)) + kInputMark);
}

void Tape::applyOperator(Op k) {
    TapeNumber n = numberOf(currentText());
    if (n.isEmpty() && k != Op::Equals)
        n = plainNumber(total_);

    if (!n.isEmpty()) {
        const double v = valueOf(n);
        double t = total_;
        switch (pending_) {
            case Op::Plus:
                t = t + v;
                break;
            case Op::Minus:
                t = t - v;
                break;
            case Op::Times:
                t = v * t;
                break;
            case Op::Divide:
                if (v == 0)
                    throw data::Error(data::Error::Code::Range,
                                      QStringLiteral("Sıfıra bölme hatası."));
                t = t / v;
                break;
            case Op::None:
            case Op::Equals:
                t = v;
                break;
        }
        if (!std::isfinite(t))
            throw data::Error(data::Error::Code::Range,
                              QStringLiteral("Sayı taşması: sonuç çok büyük."));

        QStringList lines = lines_;
        const QString entry =
            currencyText(v, typedDecimals(n)) + QLatin1Char(' ') + mark(k) + QLatin1Char(' ');
        if (lines.isEmpty())
            lines.append(entry);
        else
            lines.last() = entry;  // the caret line, or the input line when an older line was read
        if (k != Op::Equals) {
            lines.append(kInputMark);
            pending_ = k;
            lastKey_ = k;
        } else {
            const QString T = totalText(t) + QLatin1Char(' ') + totalMark();
            lines.append(QString(qMin(int(T.size()), 19), QLatin1Char('=')) + QLatin1Char(' '));
            lines.append(T + QLatin1Char(' '));
            lines.append(kInputMark);
            pending_ = Op::None;
            lastKey_ = Op::None;
        }
        total_ = t;
        lines_ = lines;
        current_ = int(lines_.size()) - 1;
        return;
    }

    // "=" on an empty input line closes the calculation on the previous entry.
    if (lines_.size() >= 2 && !lines_.at(lines_.size() - 2).isEmpty()) {
        QString& before = lines_[lines_.size() - 2];
        before = before.chopped(qMin(3, int(before.size()))) + QStringLiteral("= ");
        const QString T = totalText(total_) + QStringLiteral(" =");
        lines_.last() = QString(T.size(), QLatin1Char('=')) + QLatin1Char(' ');
        lines_.append(T + QLatin1Char(' '));
        lines_.append(kInputMark);
        current_ = int(lines_.size()) - 1;
        pending_ = Op::None;
        lastKey_ = Op::None;
    }
}

void Tape::clear() {
    lines_.clear();
    current_ = 0;
    total_ = 0;
    pending_ = Op::None;
    lastKey_ = Op::None;
}

void Tape::handOver() {
    setRememberedResult(total_);
}

void Tape::showRemembered(double value) {
    if (value != 0)
        setCurrentText(currencyText(value, loc_.currencyDigits));
}

}  // namespace calc
