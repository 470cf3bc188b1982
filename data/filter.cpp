#include "data/filter.h"

#include "data/errors.h"
#include "data/sqlite.h"

#include <QDate>

namespace data {
namespace {

enum class Tok {
    End,
    Ident,
    String,
    Number,
    LParen,
    RParen,
    Op,
    And,
    Or,
    Not,
    Like,
    Is,
    Null,
    True,
    False
};

struct Token {
    Tok kind = Tok::End;
    QString text;
    int pos = 0;  // 1-based
};

QString tokName(const Token& t) {
    switch (t.kind) {
        case Tok::End:
            return QString::fromUtf8("metnin sonu");
        case Tok::String:
            return QStringLiteral("'%1'").arg(t.text);
        default:
            return QStringLiteral("\"%1\"").arg(t.text);
    }
}

[[noreturn]] void fail(const QString& what, int pos) {
    throw FilterError(
        QString::fromUtf8("Süzgeç metni hatalı, %1. karakterde: %2").arg(pos).arg(what), pos);
}

class Lexer {
public:
    explicit Lexer(const QString& s) : s_(s) {}

    Token next() {
        while (i_ < s_.size() && s_[i_].isSpace()) ++i_;
        Token t;
        t.pos = int(i_) + 1;
        if (i_ >= s_.size())
            return t;
        const QChar c = s_[i_];
        if (c == QLatin1Char('\'')) {
            ++i_;
            QString v;
            for (;;) {
                if (i_ >= s_.size())
                    fail(QString::fromUtf8("kapanmamış tırnak"), t.pos);
                if (s_[i_] == QLatin1Char('\'')) {
                    if (i_ + 1 < s_.size() && s_[i_ + 1] == QLatin1Char('\'')) {
                        v += QLatin1Char('\'');
                        i_ += 2;
                        continue;
                    }
                    ++i_;
                    break;
                }
                v += s_[i_++];
            }
            t.kind = Tok::String;
            t.text = v;
            return t;
        }
        if (c == QLatin1Char('"') || c == QLatin1Char('[')) {
            const QChar close = c == QLatin1Char('"') ? QLatin1Char('"') : QLatin1Char(']');
            ++i_;
            QString v;
            while (i_ < s_.size() && s_[i_] != close) v += s_[i_++];
            if (i_ >= s_.size())
                fail(QString::fromUtf8("kapanmamış alan adı"), t.pos);
            ++i_;
            t.kind = Tok::Ident;
            t.text = v;
            return t;
        }
        if (c.isDigit() || (c == QLatin1Char('.') && i_ + 1 < s_.size() && s_[i_ + 1].isDigit())) {
            QString v;
            while (i_ < s_.size() && (s_[i_].isDigit() || s_[i_] == QLatin1Char('.')))
                v += s_[i_++];
            t.kind = Tok::Number;
            t.text = v;
            return t;
        }
        if (c == QLatin1Char('(')) {
            ++i_;
            t.kind = Tok::LParen;
            t.text = QStringLiteral("(");
            return t;
        }
        if (c == QLatin1Char(')')) {
            ++i_;
            t.kind = Tok::RParen;
            t.text = QStringLiteral(")");
            return t;
        }
        if (c == QLatin1Char('=') || c == QLatin1Char('<') || c == QLatin1Char('>')) {
            QString v(c);
            ++i_;
            if (i_ < s_.size() && (s_[i_] == QLatin1Char('=') ||
                                   (c == QLatin1Char('<') && s_[i_] == QLatin1Char('>')))) {
                if (c != QLatin1Char('='))
                    v += s_[i_++];
            }
            t.kind = Tok::Op;
            t.text = v;
            return t;
        }
        if (c.isLetter() || c == QLatin1Char('_')) {
            QString v;
            while (i_ < s_.size() && (s_[i_].isLetterOrNumber() || s_[i_] == QLatin1Char('_')))
                v += s_[i_++];
            const QString low = v.toLower();
            t.text = v;
            if (low == QLatin1String("and"))
                t.kind = Tok::And;
            else if (low == QLatin1String("or"))
                t.kind = Tok::Or;
            else if (low == QLatin1String("not"))
                t.kind = Tok::Not;
            else if (low == QLatin1String("like"))
                t.kind = Tok::Like;
            else if (low == QLatin1String("is"))
                t.kind = Tok::Is;
            else if (low == QLatin1String("null"))
                t.kind = Tok::Null;
            else if (low == QLatin1String("true"))
                t.kind = Tok::True;
            else if (low == QLatin1String("false"))
                t.kind = Tok::False;
            else
                t.kind = Tok::Ident;
            return t;
        }
        fail(QString::fromUtf8("beklenmeyen karakter \"%1\"").arg(c), t.pos);
    }

private:
    const QString& s_;
    qsizetype i_ = 0;
};

struct Operand {
    enum Kind { Field, Text, Number, Bool, Null } kind = Null;
    int field = -1;
    QString text;
    double number = 0;
    int pos = 0;
};

class Compiler {
public:
    Compiler(const QString& text, const TableDef& t) : lex_(text), t_(t) { advance(); }

    CompiledFilter run() {
        CompiledFilter out;
        if (cur_.kind == Tok::End)
            return out;
        out.sql = orExpr();
        if (cur_.kind != Tok::End)
            fail(QString::fromUtf8("%1 beklenmiyordu").arg(tokName(cur_)), cur_.pos);
        out.binds = binds_;
        return out;
    }

private:
    void advance() { cur_ = lex_.next(); }

    QString orExpr() {
        QString s = andExpr();
        while (cur_.kind == Tok::Or) {
            advance();
            s = QStringLiteral("(%1 OR %2)").arg(s, andExpr());
        }
        return s;
    }

    QString andExpr() {
        QString s = notExpr();
        while (cur_.kind == Tok::And) {
            advance();
            s = QStringLiteral("(%1 AND %2)").arg(s, notExpr());
        }
        return s;
    }

    QString notExpr() {
        if (cur_.kind == Tok::Not) {
            advance();
            return QStringLiteral("(NOT %1)").arg(notExpr());
        }
        if (cur_.kind == Tok::LParen) {
            const int pos = cur_.pos;
            advance();
            QString s = orExpr();
            if (cur_.kind != Tok::RParen)
                fail(QString::fromUtf8("%1. karakterde açılan parantez kapanmadı").arg(pos),
                     cur_.pos);
            advance();
            return s;
        }
        return comparison();
    }

    Operand operand() {
        Operand o;
        o.pos = cur_.pos;
        switch (cur_.kind) {
            case Tok::Ident: {
                o.kind = Operand::Field;
                o.field = t_.fieldIndex(cur_.text);
                if (o.field < 0)
                    throw FilterError(
                        QString::fromUtf8("Süzgeç metni hatalı, %1. karakterde: \"%2\" adlı alan "
                                          "%3 tablosunda yok")
                            .arg(cur_.pos)
                            .arg(cur_.text, t_.name),
                        cur_.pos);
                break;
            }
            case Tok::String:
                o.kind = Operand::Text;
                o.text = cur_.text;
                break;
            case Tok::Number: {
                bool ok = false;
                o.number = cur_.text.toDouble(&ok);
                if (!ok)
                    fail(QString::fromUtf8("\"%1\" bir sayı değil").arg(cur_.text), cur_.pos);
                o.kind = Operand::Number;
                o.text = cur_.text;
                break;
            }
            case Tok::True:
                o.kind = Operand::Bool;
                o.number = 1;
                break;
            case Tok::False:
                o.kind = Operand::Bool;
                o.number = 0;
                break;
            case Tok::Null:
                o.kind = Operand::Null;
                break;
            default:
                fail(QString::fromUtf8("alan adı veya değer beklenirken %1 geldi")
                         .arg(tokName(cur_)),
                     cur_.pos);
        }
        advance();
        return o;
    }

    bool isText(const Operand& o) const {
        return o.kind == Operand::Text ||
               (o.kind == Operand::Field && t_.fields[o.field].type == FieldType::Text);
    }

    // The value of a literal as the other side's field holds it.
    QVariant literal(const Operand& lit, const Operand& other) {
        if (lit.kind == Operand::Null)
            return QVariant();
        if (other.kind != Operand::Field) {
            if (lit.kind == Operand::Text)
                return lit.text;
            return lit.number;
        }
        const FieldDef& f = t_.fields[other.field];
        switch (f.type) {
            case FieldType::Text:
                return lit.kind == Operand::Text ? lit.text
                       : lit.text.isEmpty()      ? QString::number(lit.number)
                                                 : lit.text;
            case FieldType::Date:
                if (lit.kind != Operand::Text)
                    fail(QString::fromUtf8("%1 alanı bir tarihle karşılaştırılmalı").arg(f.name),
                         lit.pos);
                try {
                    return parseDate(lit.text).toString(Qt::ISODate);
                } catch (const Error&) {
                    fail(QString::fromUtf8("'%1' bir tarih değil").arg(lit.text), lit.pos);
                }
            case FieldType::Boolean:
                if (lit.kind == Operand::Text) {
                    try {
                        return parseBool(lit.text) ? 1 : 0;
                    } catch (const Error&) {
                        fail(QString::fromUtf8("'%1' bir doğru/yanlış değeri değil").arg(lit.text),
                             lit.pos);
                    }
                }
                return lit.number != 0 ? 1 : 0;
            default:
                if (lit.kind == Operand::Text) {
                    bool ok = false;
                    const double d = lit.text.trimmed().toDouble(&ok);
                    if (!ok)
                        fail(QString::fromUtf8("'%1' bir sayı değil").arg(lit.text), lit.pos);
                    return d;
                }
                return lit.number;
        }
    }

    QString side(const Operand& o, const Operand& other, bool textCompare) {
        if (o.kind == Operand::Field) {
            const QString col = quoteIdent(t_.fields[o.field].name);
            // an empty text field compares as the empty text
            return textCompare ? QStringLiteral("coalesce(%1,'')").arg(col) : col;
        }
        binds_ << literal(o, other);
        return QStringLiteral("?");
    }

    QString comparison() {
        const Operand a = operand();
        if (cur_.kind == Tok::Is) {
            advance();
            bool negate = false;
            if (cur_.kind == Tok::Not) {
                negate = true;
                advance();
            }
            if (cur_.kind != Tok::Null)
                fail(QString::fromUtf8("NULL bekleniyordu"), cur_.pos);
            advance();
            if (a.kind != Operand::Field)
                fail(QString::fromUtf8("alan adı bekleniyordu"), a.pos);
            const QString col = quoteIdent(t_.fields[a.field].name);
            if (t_.fields[a.field].type == FieldType::Text)
                return negate ? QStringLiteral("coalesce(%1,'')<>''").arg(col)
                              : QStringLiteral("coalesce(%1,'')=''").arg(col);
            return QStringLiteral("(%1 IS %2NULL)")
                .arg(col, negate ? QStringLiteral("NOT ") : QString());
        }
        QString op;
        bool like = false;
        if (cur_.kind == Tok::Like) {
            like = true;
            op = QStringLiteral("LIKE");
        } else if (cur_.kind == Tok::Op) {
            op = cur_.text;
        } else if (cur_.kind == Tok::Not) {
            advance();
            if (cur_.kind != Tok::Like)
                fail(QString::fromUtf8("LIKE bekleniyordu"), cur_.pos);
            like = true;
            op = QStringLiteral("NOT LIKE");
        } else {
            fail(QString::fromUtf8(
                     "karşılaştırma işareti (=, <>, <, >, <=, >=, Like) beklenirken %1 geldi")
                     .arg(tokName(cur_)),
                 cur_.pos);
        }
        advance();
        const Operand b = operand();
        if (a.kind != Operand::Field && b.kind != Operand::Field)
            fail(QString::fromUtf8("karşılaştırmanın bir yanı alan adı olmalı"), a.pos);
        const bool text = like || (isText(a) && isText(b));
        const QString l = side(a, b, text);
        const QString r = side(b, a, text);
        if (like)
            return QStringLiteral("(%1 %2 %3)").arg(l, op, r);
        if (text) {
            const bool order = op != QLatin1String("=") && op != QLatin1String("<>");
            if (order && t_.turkish)
                return QStringLiteral("(%1 COLLATE TURKISH %2 %3)").arg(l, op, r);
            return QStringLiteral("(%1 %2 %3)").arg(l, op, r);
        }
        if (op == QLatin1String("<>")) {
            // an empty number differs from every number
            QStringList nulls;
            if (a.kind == Operand::Field)
                nulls << l + QStringLiteral(" IS NULL");
            if (b.kind == Operand::Field)
                nulls << r + QStringLiteral(" IS NULL");
            return QStringLiteral("(%1 <> %2 OR %3)").arg(l, r, nulls.join(QStringLiteral(" OR ")));
        }
        return QStringLiteral("(%1 %2 %3)").arg(l, op, r);
    }

    Lexer lex_;
    const TableDef& t_;
    Token cur_;
    QVariantList binds_;
};

}  // namespace

CompiledFilter compileFilter(const QString& text, const TableDef& table) {
    return Compiler(text, table).run();
}

}  // namespace data
