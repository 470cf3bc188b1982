#include "bench/gen.h"

#include "data/schema.h"
#include "data/sqlite.h"

#include <QStringList>
#include <random>

namespace bench {

namespace {
const char* firstNames[] = {"Ahmet",   "Mehmet", "Mustafa", "Ayşe",   "Fatma",  "Emine",
                            "Hüseyin", "Hasan",  "İbrahim", "İsmail", "Zeynep", "Elif",
                            "Özlem",   "Şule",   "Çağla",   "Ömer",   "Ümit",   "Gökhan",
                            "Derya",   "Ilgın",  "Irmak",   "Oğuz",   "Ceren",  "Burak",
                            "Deniz",   "Ebru",   "Selin",   "Tolga",  "Yusuf",  "Şükrü"};
const char* surnames[] = {"Yılmaz",   "Kaya",   "Demir", "Şahin",   "Çelik",  "Yıldız",
                          "Yıldırım", "Öztürk", "Aydın", "Özdemir", "Arslan", "Doğan",
                          "Kılıç",    "Aslan",  "Çetin", "Kara",    "Koç",    "Kurt",
                          "Özkan",    "Şimşek", "Polat", "Erdoğan", "Güneş",  "Aksoy",
                          "Ünal",     "İnce",   "Bulut", "Işık",    "Uçar",   "Tekin"};
const char* firmWords[] = {"Bilgisayar", "İnşaat",    "Gıda",   "Tekstil", "Otomotiv", "Emlak",
                           "Mobilya",    "Kırtasiye", "Eczane", "Lokanta", "Sigorta",  "Elektrik"};
const char* cities[] = {"ANKARA", "İSTANBUL",  "İZMİR", "BURSA",     "ANTALYA",   "KONYA",
                        "ADANA",  "ŞANLIURFA", "ÇORUM", "ESKİŞEHİR", "GAZİANTEP", "MUĞLA"};
const char* districts[] = {"Çankaya", "Keçiören",  "Kadıköy",  "Üsküdar", "Bornova",
                           "Nilüfer", "Muratpaşa", "Selçuklu", "Seyhan",  "Odunpazarı"};
const char* categories = "MMMMMFFFIPPGABS";
}  // namespace

void generateCards(data::Database& db, int n, unsigned seed) {
    db.createMissingTables();
    std::mt19937 rng(seed);
    auto pick = [&](auto& arr) {
        return QString::fromUtf8(arr[rng() % (sizeof(arr) / sizeof(arr[0]))]);
    };
    data::Connection& c = db.connection();
    data::Transaction tx(c);
    data::Statement st = c.prepare(QStringLiteral(
        "INSERT INTO Mustfirmadata (Kod, Isim, MF, Firma, Adres, Semt, Ilce, PostaKodu, Ili, "
        "Telefon, EvTelefon, Fax, EMail, Meslek, Hitap, Kariyer, CariAldiToplam, CariVerdiToplam, "
        "Gizli) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,0,0,0)"));
    const qint64 first = db.counter(QStringLiteral("Mustfirmadata")) + 1;
    for (int i = 0; i < n; ++i) {
        const QString name = pick(firstNames) + QLatin1Char(' ') + pick(surnames);
        const QString firm =
            pick(surnames) + QLatin1Char(' ') + pick(firmWords) + QString::fromUtf8(" Ltd. Şti.");
        const QString district = pick(districts);
        st.reset();
        st.bind(1, first + i);
        st.bind(2, name);
        st.bind(3, QString(QLatin1Char(categories[rng() % 15])));
        st.bind(4, firm);
        st.bind(5, QStringLiteral("%1 Sok. No: %2").arg(pick(surnames)).arg(rng() % 120 + 1));
        st.bind(6, district);
        st.bind(7, district);
        st.bind(8, int(6000 + rng() % 75000));
        st.bind(9, pick(cities));
        st.bind(10, QStringLiteral("0312 %1 %2 %3\r\n0532 %4 %5 %6")
                        .arg(rng() % 900 + 100)
                        .arg(rng() % 90 + 10)
                        .arg(rng() % 90 + 10)
                        .arg(rng() % 900 + 100)
                        .arg(rng() % 90 + 10)
                        .arg(rng() % 90 + 10));
        st.bind(11, QStringLiteral("0312 %1 %2 %3")
                        .arg(rng() % 900 + 100)
                        .arg(rng() % 90 + 10)
                        .arg(rng() % 90 + 10));
        st.bind(12, QString());
        st.bind(13, QStringLiteral("kisi%1@ornek.com.tr").arg(i));
        st.bind(14, pick(firmWords));
        st.bind(15, QString::fromUtf8("Sayın"));
        st.bind(16, QString::fromUtf8("Müdür"));
        st.exec();
    }
    db.raiseCounter(QStringLiteral("Mustfirmadata"), first + n - 1);
    tx.commit();
}

}  // namespace bench
