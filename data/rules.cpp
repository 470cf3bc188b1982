#include "data/rules.h"

namespace data {

const QStringList& advertisementKeywords() {
    // kinds of premises, offices and trades; a keyword with Turkish letters matches only the
    // same letters in the same case, since upper-casing leaves them alone
    static const QStringList k = {"EMLAK",
                                  "OTOMOT",
                                  "GALER",
                                  "ECZA",
                                  "LOKANTA",
                                  "RESTORAN",
                                  "KEBAP",
                                  "PASTANE",
                                  "YAPI",
                                  "MIMAR",
                                  "BETON",
                                  "HAFRIYAT",
                                  "AVUKAT",
                                  "HUKUK",
                                  "NOTER",
                                  "MUHASEBE",
                                  "SIGORTA",
                                  "DOKTOR",
                                  "KLINIK",
                                  "HASTANE",
                                  "BILGISAYAR",
                                  "YAZILIM",
                                  "ELEKTRONIK",
                                  "TEKNIK",
                                  "INTERNET",
                                  "TELEKOM",
                                  "BILISIM",
                                  "GAYRIMENKUL",
                                  QString::fromUtf8("MÜTEAHHİT"),
                                  "TESISAT"};
    return k;
}

int advertisementPicture(int p) {
    if (p == 1 || p == 28)
        return 1;
    if (p == 2 || p == 3)
        return 2;
    if (p == 4)
        return 3;
    if (p >= 5 && p <= 8)
        return 4;
    if ((p >= 9 && p <= 12) || p == 29 || p == 30)
        return 5;
    if (p >= 13 && p <= 17)
        return 6;
    if (p >= 18 && p <= 20)
        return 7;
    if (p >= 21 && p <= 27)
        return 8;
    return 0;
}

QString advertisementFile(int picture) {
    return QStringLiteral("Reklam%1.jpg").arg(picture);
}

QString asciiUpper(const QString& s) {
    QString out = s;
    for (QChar& c : out)
        if (c.unicode() >= 'a' && c.unicode() <= 'z')
            c = QChar(c.unicode() - 'a' + 'A');
    return out;
}

const QStringList& advertisementFields() {
    static const QStringList f = {"Meslek",  "Firma",   "Isim", "Adres",
                                  "EvAdres", "Kariyer", "Hitap"};
    return f;
}

QVector<int> advertisementMatches(const QStringList& fields) {
    QStringList upper;
    for (const QString& f : fields) upper << asciiUpper(f);
    QVector<int> out;
    const QStringList& keys = advertisementKeywords();
    for (int p = 1; p <= keys.size(); ++p) {
        const QString k = asciiUpper(keys[p - 1]);
        for (const QString& f : upper) {
            if (!f.isEmpty() && f.contains(k)) {
                out << advertisementPicture(p);
                break;
            }
        }
    }
    return out;
}

}  // namespace data
