#include "data/schema.h"

#include "data/errors.h"

#include <QDate>
#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace data {

int TableDef::fieldIndex(const QString& n) const {
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(n, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

const FieldDef* TableDef::field(const QString& n) const {
    const int i = fieldIndex(n);
    return i < 0 ? nullptr : &fields[i];
}

const IndexDef* TableDef::index(const QString& n) const {
    for (const auto& ix : indexes)
        if (ix.name.compare(n, Qt::CaseInsensitive) == 0)
            return &ix;
    return nullptr;
}

int TableDef::autoIncField() const {
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].type == FieldType::AutoInc)
            return i;
    return -1;
}

namespace {

using T = FieldType;

FieldDef text(const char* name, int size, QVariant def = {}) {
    return {QString::fromUtf8(name), T::Text, size, std::move(def)};
}
FieldDef of(const char* name, T type, QVariant def = {}) {
    return {QString::fromUtf8(name), type, 0, std::move(def)};
}

TableDef makeMustfirmadata() {
    TableDef t;
    t.name = QStringLiteral("Mustfirmadata");
    t.fields = {
        of("Kod", T::AutoInc),
        text("Isim", 50),
        text("MF", 1),
        text("Firma", 50),
        text("Adres", 90),
        text("Semt", 15),
        text("Ilce", 15),
        of("PostaKodu", T::Integer),
        text("Ili", 15),
        text("Telefon", 60),
        text("EvAdres", 90),
        text("EvSemt", 15),
        text("EvIlce", 15),
        of("EvPostaKodu", T::Integer),
        text("EvIl", 15),
        text("EvTelefon", 60),
        text("VergiD", 30),
        text("VergiNo", 30),
        text("TicaretSicilNo", 15),
        text("HesapNo", 30),
        of("Ucret", T::Money),
        of("Odeme_Gunu", T::SmallInt),
        of("Ay", T::SmallInt),
        of("Period", T::SmallInt),
        of("KDV", T::SmallInt),
        of("Iskonto", T::Integer),
        of("Komisyon", T::Money),
        of("UygulanacakFiyat", T::SmallInt),
        of("CariAldiToplam", T::Money, 0.0),
        of("CariVerdiToplam", T::Money, 0.0),
        of("Gizli", T::Boolean, false),
        text("DogumYeri", 15),
        of("DogumT", T::Date),
        text("HüviyetCinsi", 15),
        text("HüviyetNumarasi", 15),
        text("AnneKizlikSoyadi", 15),
        text("BabaAdi", 15),
        of("KisiKurum", T::Boolean),
        text("TebligatAdresi", 60),
        text("Fax", 15),
        text("EMail", 40),
        text("PasaportNo", 15),
        of("PasaportTarih", T::Date),
        text("PasaportYer", 15),
        text("EhliyetNo", 15),
        of("EhliyetTarih", T::Date),
        text("EhliyetYer", 15),
        text("NufusNo", 15),
        of("NufusTarih", T::Date),
        text("NufusYer", 15),
        text("Esi", 15),
        text("Cocuklari", 30),
        text("Tanitan", 30),
        text("Istihbarat", 100),
        text("Genel", 30),
        text("Meslek", 30),
        text("Hitap", 30),
        text("Kariyer", 30),
        of("Baslama", T::Date),
        of("Bitis", T::Date),
        text("Donem", 30),
        text("Gunler", 30),
        text("Saatler", 30),
    };
    t.primary = {QStringLiteral("Kod")};
    // the card browser filters on the category while it walks the name order
    t.indexes = {
        {QStringLiteral("IndFirma"), {QStringLiteral("Firma")}, false, {QStringLiteral("MF")}},
        {QStringLiteral("IndIsim"), {QStringLiteral("Isim")}, false, {QStringLiteral("MF")}},
        {QStringLiteral("IndMeslek"), {QStringLiteral("Meslek")}, false}};
    t.turkish = true;
    t.counterStart = 5;
    return t;
}

TableDef makeDatanames() {
    TableDef t;
    t.name = QStringLiteral("Datanames");
    t.fields = {
        text("DataNames", 50),
        of("Default", T::Boolean, false),
        of("Stok", T::Boolean),
        of("KDVDahil", T::Boolean, false),
        of("Fatura", T::Boolean, true),
        of("Alisveris", T::Boolean, true),
        text("ParaCinsi", 7, QStringLiteral("TL")),
        of("DetayliUrun", T::Boolean, true),
        of("ComPort", T::SmallInt),
        text("Hat", 4),
        text("YerelKod", 8),
        of("MasrafAy", T::SmallInt),
        of("Sahibi", T::Integer),
        of("Muhasebeci", T::Integer),
        of("Teklif", T::SmallInt),
        of("Kar", T::Integer),
        text("TeklifSec", 50),
        text("IrsaliyeSec", 50),
        text("FaturaSec", 50),
        text("MasrafSec", 50),
        text("CariSec", 50),
        text("SiparisSec", 50),
        text("HatTahsisSec", 50),
        text("SozlesmeSec", 50),
        text("TizgenSec", 50),
        of("Yedek1", T::Float),
        of("Yedek2", T::Integer),
        of("Yedek3", T::Integer),
        text("Yedek4", 30),
    };
    for (int i = 1; i <= 9; ++i)
        t.fields.push_back({QStringLiteral("Y%1").arg(i), T::Boolean, 0, {}});
    t.primary = {QStringLiteral("DataNames")};
    t.turkish = true;
    t.counterStart = 1;
    return t;
}

TableDef makeAyarlar() {
    TableDef t;
    t.name = QStringLiteral("AYARLAR");
    t.fields = {text("Isim", 50), of("Kod", T::AutoInc)};
    for (int i = 1; i <= 18; ++i)
        t.fields.push_back({QStringLiteral("Str%1").arg(i), T::Text, 50, {}});
    t.fields << text("Amblem", 50) << text("OnYazi", 50) << text("SonYazi", 50) << text("Imza", 50);
    t.primary = {QStringLiteral("Isim")};
    t.turkish = true;
    t.counterStart = 28;
    return t;
}

TableDef makeEtiket() {
    TableDef t;
    t.name = QStringLiteral("Etiket");
    t.fields = {
        text("Data", 15),
        of("Satır (mm)", T::Float),
        of("Sütun (mm)", T::Float),
        text("Eleme", 80),
        text("Başlık", 3, QStringLiteral("Yok")),
        text("Yeri", 5, QStringLiteral("Önce")),
        of("Sol", T::SmallInt),
        of("Ust", T::SmallInt),
        of("En", T::SmallInt),
        of("Boy", T::SmallInt),
        of("Yatay", T::SmallInt),
        of("Dikey", T::SmallInt),
        of("Yanyana", T::SmallInt),
        of("Altalta", T::SmallInt),
    };
    t.indexes = {{QStringLiteral("SatSut"),
                  {QString::fromUtf8("Satır (mm)"), QString::fromUtf8("Sütun (mm)")},
                  false}};
    t.turkish = false;
    t.counterStart = 27;
    return t;
}

}  // namespace

const TableDef& mustfirmadata() {
    static const TableDef t = makeMustfirmadata();
    return t;
}
const TableDef& datanames() {
    static const TableDef t = makeDatanames();
    return t;
}
const TableDef& ayarlar() {
    static const TableDef t = makeAyarlar();
    return t;
}
const TableDef& etiket() {
    static const TableDef t = makeEtiket();
    return t;
}

const QVector<const TableDef*>& allTables() {
    static const QVector<const TableDef*> all = {&ayarlar(), &datanames(), &etiket(),
                                                 &mustfirmadata()};
    return all;
}

const TableDef* findTable(const QString& name) {
    for (const TableDef* t : allTables())
        if (t->name.compare(name, Qt::CaseInsensitive) == 0)
            return t;
    return nullptr;
}

bool parseBool(const QString& text) {
    const QString t = text.trimmed();
    static const QStringList yes = {"1", "true", "evet", "e", "yes"};
    static const QStringList no = {"0", "false", QString::fromUtf8("hayır"), "hayir", "h", "no"};
    const QString low = t.toLower();
    if (yes.contains(low) || t == QString::fromUtf8("EVET"))
        return true;
    if (no.contains(low) || t == QString::fromUtf8("HAYIR"))
        return false;
    throw ConversionError(QString::fromUtf8("'%1' bir doğru/yanlış değeri değil.").arg(text));
}

QDate parseDate(const QString& text) {
    const QString t = text.trimmed();
    QDate d = QDate::fromString(t, QStringLiteral("d.M.yyyy"));
    if (!d.isValid())
        d = QDate::fromString(t, QStringLiteral("yyyy-MM-dd"));
    if (!d.isValid())
        throw ConversionError(QString::fromUtf8("'%1' bir tarih değil.").arg(text));
    return d;
}

static qint64 parseWhole(const QString& text) {
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok);
    if (!ok)
        throw ConversionError(QString::fromUtf8("'%1' bir tam sayı değil.").arg(text));
    return v;
}

static double parseReal(const QString& text) {
    QString t = text.trimmed();
    bool ok = false;
    double v = t.toDouble(&ok);
    if (!ok) {
        // Turkish writing: 1.234,56
        QString tr = t;
        tr.remove(QLatin1Char('.')).replace(QLatin1Char(','), QLatin1Char('.'));
        v = tr.toDouble(&ok);
    }
    if (!ok)
        throw ConversionError(QString::fromUtf8("'%1' bir sayı değil.").arg(text));
    return v;
}

QVariant coerce(const FieldDef& f, const QVariant& value) {
    if (value.isNull() || !value.isValid())
        return QVariant();
    const bool isText = value.typeId() == QMetaType::QString;
    if (isText && f.type != T::Text && value.toString().trimmed().isEmpty())
        return QVariant();
    switch (f.type) {
        case T::Text: {
            QString s = value.toString();
            if (f.size > 0 && s.size() > f.size) {
                int n = f.size;
                // never split a surrogate pair
                if (s.at(n - 1).isHighSurrogate())
                    --n;
                s.truncate(n);
            }
            return s;
        }
        case T::SmallInt:
        case T::Integer:
        case T::AutoInc: {
            qint64 v;
            if (isText) {
                v = parseWhole(value.toString());
            } else if (value.typeId() == QMetaType::Double) {
                const double d = value.toDouble();
                if (d != std::floor(d))
                    throw ConversionError(
                        QString::fromUtf8("'%1' bir tam sayı değil.").arg(value.toString()));
                v = qint64(d);
            } else {
                bool ok = false;
                v = value.toLongLong(&ok);
                if (!ok)
                    throw ConversionError(
                        QString::fromUtf8("'%1' bir tam sayı değil.").arg(value.toString()));
            }
            const qint64 lo = f.type == T::SmallInt ? std::numeric_limits<qint16>::min()
                                                    : std::numeric_limits<qint32>::min();
            const qint64 hi = f.type == T::SmallInt ? std::numeric_limits<qint16>::max()
                                                    : std::numeric_limits<qint32>::max();
            if (v < lo || v > hi)
                throw Error(Error::Code::Range,
                            QString::fromUtf8("%1 alanı için %2 değeri %3 ile %4 arasında değil.")
                                .arg(f.name)
                                .arg(v)
                                .arg(lo)
                                .arg(hi));
            return f.type == T::SmallInt || f.type == T::Integer ? QVariant(int(v)) : QVariant(v);
        }
        case T::Float:
        case T::Money: {
            if (isText)
                return parseReal(value.toString());
            bool ok = false;
            const double d = value.toDouble(&ok);
            if (!ok)
                throw ConversionError(
                    QString::fromUtf8("'%1' bir sayı değil.").arg(value.toString()));
            return d;
        }
        case T::Boolean:
            if (isText)
                return parseBool(value.toString());
            if (value.typeId() == QMetaType::Bool)
                return value.toBool();
            return value.toLongLong() != 0;
        case T::Date:
            if (value.typeId() == QMetaType::QDate) {
                if (!value.toDate().isValid())
                    throw ConversionError(QString::fromUtf8("Geçersiz tarih."));
                return value.toDate();
            }
            if (value.typeId() == QMetaType::QDateTime)
                return value.toDateTime().date();
            return parseDate(value.toString());
    }
    return value;
}

}  // namespace data
