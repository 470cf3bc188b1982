#include "data/collation.h"

#include <sqlite3.h>
#include <unicode/ucol.h>
#include <unicode/ustring.h>

#include <QByteArray>
#include <algorithm>
#include <cstring>
#include <mutex>

namespace data {
namespace {

UCollator* collator() {
    static UCollator* c = [] {
        UErrorCode err = U_ZERO_ERROR;
        UCollator* col = ucol_open("tr", &err);
        if (U_FAILURE(err))
            return static_cast<UCollator*>(nullptr);
        return col;
    }();
    return c;
}

// ASCII letters and digits are ordered alike by binary and Turkish rules only when both texts
// are equal; everything else goes to ICU.
int collate(void*, int la, const void* a, int lb, const void* b) {
    if (la == lb && std::memcmp(a, b, size_t(la)) == 0)
        return 0;
    UCollator* c = collator();
    if (!c) {
        const int n = std::memcmp(a, b, size_t(std::min(la, lb)));
        return n ? n : la - lb;
    }
    UErrorCode err = U_ZERO_ERROR;
    const UCollationResult r =
        ucol_strcollUTF8(c, static_cast<const char*>(a), la, static_cast<const char*>(b), lb, &err);
    if (U_FAILURE(err)) {
        const int n = std::memcmp(a, b, size_t(std::min(la, lb)));
        return n ? n : la - lb;
    }
    if (r == UCOL_EQUAL) {
        // texts that ICU finds equal but are not identical keep a fixed order
        const int n = std::memcmp(a, b, size_t(std::min(la, lb)));
        return n ? n : la - lb;
    }
    return r == UCOL_LESS ? -1 : 1;
}

void caseFunc(sqlite3_context* ctx, int, sqlite3_value** argv, bool upper) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const QString s = QString::fromUtf8(p, sqlite3_value_bytes(argv[0]));
    const QByteArray out = (upper ? turkishUpper(s) : turkishLower(s)).toUtf8();
    sqlite3_result_text(ctx, out.constData(), int(out.size()), SQLITE_TRANSIENT);
}

void upperFunc(sqlite3_context* ctx, int n, sqlite3_value** argv) {
    caseFunc(ctx, n, argv, true);
}
void lowerFunc(sqlite3_context* ctx, int n, sqlite3_value** argv) {
    caseFunc(ctx, n, argv, false);
}

}  // namespace

int turkishCompare(const QString& a, const QString& b) {
    const QByteArray ua = a.toUtf8();
    const QByteArray ub = b.toUtf8();
    return collate(nullptr, int(ua.size()), ua.constData(), int(ub.size()), ub.constData());
}

QString turkishUpper(const QString& s) {
    QString out;
    out.reserve(s.size());
    for (QChar ch : s) {
        if (ch == QLatin1Char('i'))
            out += QChar(0x0130);
        else if (ch == QChar(0x0131))
            out += QLatin1Char('I');
        else
            out += ch.toUpper();
    }
    return out;
}

QString turkishLower(const QString& s) {
    QString out;
    out.reserve(s.size());
    for (QChar ch : s) {
        if (ch == QLatin1Char('I'))
            out += QChar(0x0131);
        else if (ch == QChar(0x0130))
            out += QLatin1Char('i');
        else
            out += ch.toLower();
    }
    return out;
}

void registerTurkish(sqlite3* db) {
    sqlite3_create_collation(db, "TURKISH", SQLITE_UTF8, nullptr, collate);
    sqlite3_create_function(db, "TR_UPPER", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            upperFunc, nullptr, nullptr);
    sqlite3_create_function(db, "TR_LOWER", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            lowerFunc, nullptr, nullptr);
}

}  // namespace data
