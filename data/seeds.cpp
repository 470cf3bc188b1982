#include "data/seeds.h"

#include <QHash>

namespace data {

QString Producer::contact() {
    return QString::fromUtf8("Orhan Vural");
}
QString Producer::firm() {
    return QString::fromUtf8("Orvu Bilgisayar Yazılım Ltd. Şti.");
}
QString Producer::phone() {
    return QStringLiteral("0312 418 27 64");
}
QString Producer::areaCode() {
    return QStringLiteral("0312-");
}

namespace {

using Row = QHash<QString, QVariant>;

QVector<QVariant> expand(const TableDef& t, const Row& r) {
    QVector<QVariant> out(t.fields.size());
    for (auto it = r.begin(); it != r.end(); ++it) {
        const int i = t.fieldIndex(it.key());
        Q_ASSERT(i >= 0);
        out[i] = it.value();
    }
    return out;
}

QString u(const char* s) {
    return QString::fromUtf8(s);
}

QVector<QVector<QVariant>> ayarlarSeeds(const TableDef& t) {
    const char* etiket[18] = {
        "Hitap;21;36;31;15;MS Sans Serif;8",     "Kariyer;52;36;37;15;MS Sans Serif;8",
        "İsim;21;51;121;15;MS Sans Serif;8",     "Adres;21;66;121;37;MS Sans Serif;8",
        "Şehir;22;103;72;15;MS Sans Serif;8",    "Firma;0;0;0;0;MS Sans Serif;8",
        "İş Telefonu;0;0;0;0;MS Sans Serif;8",   "Ev Telefonu;0;0;0;0;MS Sans Serif;8",
        "Fax;0;0;0;0;MS Sans Serif;8",           "E-Mail;0;0;0;0;MS Sans Serif;8",
        "WEB Sayfası;0;0;0;0;MS Sans Serif;8",   "Eşi;0;0;0;0;MS Sans Serif;8",
        "Çocukları;0;0;0;0;MS Sans Serif;8",     "Tanıştıran;0;0;0;0;MS Sans Serif;8",
        "İstihbarat;0;0;0;0;MS Sans Serif;8",    "Türü;0;0;0;0;MS Sans Serif;8",
        "2.Kolon;187;35;100;15;MS Sans Serif;8", "3.Kolon;0;0;0;0;MS Sans Serif;8"};
    const char* tizgen[18] = {"Hitap;0;0;0;0;MS Sans Serif;8",
                              "Kariyer;0;0;0;0;MS Sans Serif;8",
                              "İsim;23;17;55;10;MS Sans Serif;6",
                              "Adres;0;0;0;0;MS Sans Serif;8",
                              "Şehir;0;0;0;0;MS Sans Serif;8",
                              "Firma;80;17;57;10;MS Sans Serif;6",
                              "İş Telefonu;139;17;55;10;MS Sans Serif;6",
                              "Ev Telefonu;197;17;56;10;MS Sans Serif;6",
                              "Fax;255;17;59;10;MS Sans Serif;6",
                              "E-Mail;0;0;0;0;MS Sans Serif;8",
                              "WEB Sayfası;0;0;0;0;MS Sans Serif;8",
                              "Eşi;0;0;0;0;MS Sans Serif;8",
                              "Çocukları;0;0;0;0;MS Sans Serif;8",
                              "Tanıştıran;0;0;0;0;MS Sans Serif;8",
                              "İstihbarat;0;0;0;0;MS Sans Serif;8",
                              "Türü;316;17;25;10;MS Sans Serif;6",
                              "Meslek;0;0;0;0;MS Sans Serif;8",
                              "Doğum Yeri;0;0;0;0;MS Sans Serif;8"};
    Row a{{"Isim", u("Etiket Formu")}, {"Kod", 21}};
    Row b{{"Isim", u("Tizgen Formu")}, {"Kod", 22}};
    for (int i = 0; i < 18; ++i) {
        a[QStringLiteral("Str%1").arg(i + 1)] = u(etiket[i]);
        b[QStringLiteral("Str%1").arg(i + 1)] = u(tizgen[i]);
    }
    return {expand(t, a), expand(t, b)};
}

QVector<QVector<QVariant>> datanamesSeeds(const TableDef& t) {
    Row r{{"Default", true},
          {"Stok", true},
          {"KDVDahil", false},
          {"Fatura", false},
          {"Alisveris", false},
          {"ParaCinsi", u("TL")},
          {"DetayliUrun", false},
          {"ComPort", 2},
          {"Hat", u("9")},
          {"YerelKod", Producer::areaCode()},
          {"MasrafAy", 11},
          {"Sahibi", 1039},
          {"Muhasebeci", 1186},
          {"Teklif", 0},
          {"Kar", 10},
          {"TeklifSec", u("Teklif Formu4")},
          {"IrsaliyeSec", u("Irsaliye Formu")},
          {"FaturaSec", u("Fatura Formu")},
          {"TizgenSec", u("Tizgen Formu")},
          {"Yedek2", 3},
          {"Y1", true}};
    return {expand(t, r)};
}

QVector<QVector<QVariant>> etiketSeeds(const TableDef& t) {
    struct L {
        const char* data;
        QVariant satir, sutun;
        const char* eleme;
        int sol;
    };
    const QVector<L> items = {
        {"Hitap / Çerçeve", 8, 2, "Sayın", 1},
        {"isim", 8, 14, nullptr, 2},
        {"İş Adresi", 15, 2, "Boş ise Basma", 3},
        {"İş Telefon", 0, 0, nullptr, 4},
        {"Ayar", QVariant(), 12, nullptr, 3},
        {"Kategori", 0, 0, nullptr, 5},
        {"Firma", 2, 2, nullptr, 6},
        {"Ev Adresi", 0, 0, nullptr, 7},
        {"İş Semti", 0, 0, nullptr, 8},
        {"Ev Semti", 0, 0, nullptr, 9},
        {"İş İlçe", 0, 0, nullptr, 10},
        {"Ev İlçe", 0, 0, nullptr, 11},
        {"İş Şehir", 0, 0, nullptr, 12},
        {"Ev Şehir", 0, 0, nullptr, 13},
        {"Ev Telefon", 0, 0, nullptr, 14},
        {"e-Mail Adresi", 0, 0, nullptr, 15},
        {"Web Adresi", 0, 0, nullptr, 16},
        {"İş Posta Kodu", 0, 0, nullptr, 17},
        {"Ev Posta Kodu", 0, 0, nullptr, 18},
        {"Vergi Dairesi", 0, 0, nullptr, 19},
        {"Vergi Numarası", 0, 0, nullptr, 20},
        {"Ticaret Sicil N", 0, 0, nullptr, 21},
        {"Fax", 0, 0, nullptr, 22},
        {"Eşi", 0, 0, nullptr, 23},
        {"Dönemi", 0, 0, nullptr, 24},
        {"Cari Aldıkları", 0, 0, nullptr, 25},
        {"Cari Verdikleri", 0, 0, nullptr, 26},
    };
    QVector<QVector<QVariant>> out;
    for (const L& l : items) {
        Row r{{"Data", u(l.data)},     {u("Satır (mm)"), l.satir}, {u("Sütun (mm)"), l.sutun},
              {u("Başlık"), u("Yok")}, {"Yeri", u("Önce")},        {"Sol", l.sol}};
        if (l.eleme)
            r["Eleme"] = u(l.eleme);
        out << expand(t, r);
    }
    // the first item row and the sheet row carry the sheet's measures
    auto measures = [&](QVector<QVariant>& row, int ust, int en, int boy, int yatay, int dikey,
                        int yanyana, int altalta) {
        row[t.fieldIndex("Ust")] = ust;
        row[t.fieldIndex("En")] = en;
        row[t.fieldIndex("Boy")] = boy;
        row[t.fieldIndex("Yatay")] = yatay;
        row[t.fieldIndex("Dikey")] = dikey;
        row[t.fieldIndex("Yanyana")] = yanyana;
        row[t.fieldIndex("Altalta")] = altalta;
    };
    measures(out[0], 3, 77, 35, 3, 3, 2, 12);
    measures(out[4], 0, 77, 35, 3, 3, 2, 7);
    return out;
}

QVector<QVector<QVariant>> mustfirmadataSeeds(const TableDef& t) {
    auto base = [](int kod, const QVariant& isim, const char* mf) {
        return Row{{"Kod", kod},
                   {"Isim", isim},
                   {"MF", u(mf)},
                   {"CariAldiToplam", 0.0},
                   {"CariVerdiToplam", 0.0},
                   {"Gizli", false}};
    };
    Row producer = base(5, Producer::contact(), "F");
    producer.insert({{"KisiKurum", true},
                     {"Hitap", u("Sayın")},
                     {"Firma", Producer::firm()},
                     {"Adres", u("Kızılay Mah. Atatürk Bulvarı No: 112 Kat: 4")},
                     {"Semt", u("Kızılay")},
                     {"Ilce", u("Çankaya")},
                     {"PostaKodu", 6420},
                     {"Ili", u("ANKARA")},
                     {"Telefon", Producer::phone() + u("\r\n0312 418 27 65\r\n0312 418 27 66\r\n"
                                                       "0532 614 90 31")},
                     {"VergiD", u("Kavaklıdere")},
                     {"VergiNo", u("6470312845")},
                     {"Tanitan", u("Orvu Bilgisayar")},
                     {"Genel", u("www.orvu.com.tr")},
                     {"Meslek", u("Yazılım")},
                     {"Kariyer", u("Genel Müdür")}});
    return {expand(t, base(1, u(" Kasa"), "K")), expand(t, base(2, u(" Hepsi"), "H")),
            expand(t, base(3, QVariant(), "E")), expand(t, base(4, u("Yazar Kasa"), "Y")),
            expand(t, producer)};
}

}  // namespace

QVector<QVector<QVariant>> seedRows(const TableDef& table) {
    if (&table == &ayarlar())
        return ayarlarSeeds(table);
    if (&table == &datanames())
        return datanamesSeeds(table);
    if (&table == &etiket())
        return etiketSeeds(table);
    if (&table == &mustfirmadata())
        return mustfirmadataSeeds(table);
    return {};
}

}  // namespace data
