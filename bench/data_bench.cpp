// Speed of the contact cursor on generated cards, against the plain sqlite3 shell running
// the same filtered, ordered SELECT (in its binary order, as it has no Turkish collation).
#include "bench/gen.h"
#include "data/cursor.h"
#include "data/database.h"

#include <sys/resource.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

const char* kMode0 = "MF<>'K' And MF<>'E' And MF<>'Y' And MF<>'H'";

void line(const char* name, int k, const char* suffix, double v) {
    std::printf("%s_%dk_%s: %.4g\n", name, k, suffix, v);
    std::fflush(stdout);
}

double ms(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / 1e6;
}

double shellMs(const QString& file) {
    const QString sql = QStringLiteral(
        "SELECT Kod FROM Mustfirmadata WHERE MF COLLATE BINARY<>'K' AND MF COLLATE BINARY<>'E' "
        "AND MF COLLATE BINARY<>'Y' AND MF COLLATE BINARY<>'H' ORDER BY Isim COLLATE BINARY;");
    double best = 1e18;
    for (int i = 0; i < 3; ++i) {
        QProcess p;
        p.setStandardOutputFile(QProcess::nullDevice());
        QElapsedTimer t;
        t.start();
        p.start(QStringLiteral("sqlite3"), {file, sql});
        p.waitForFinished(-1);
        const double e = ms(t);
        if (p.exitCode() != 0)
            return -1;
        best = std::min(best, e);
    }
    return best;
}

void run(int n) {
    const int k = n / 1000;
    QTemporaryDir dir;
    {
        data::Database db(dir.path());
        bench::generateCards(db, n);
    }
    // best of three: each opens a fresh connection, as the program does at start
    double openMs = 1e18;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer t;
        t.start();
        data::Database db(dir.path());
        data::Cursor c(db, QStringLiteral("Mustfirmadata"));
        c.setIndexName(QStringLiteral("IndIsim"));
        c.setFilter(QString::fromLatin1(kMode0));
        c.open();
        const QString first = c.text(QStringLiteral("Isim"));
        openMs = std::min(openMs, ms(t));
        if (first.isEmpty())
            std::fprintf(stderr, "no first card\n");
    }
    line("open_first_card", k, "ms", openMs);
    const double shell = shellMs(dir.path() + QStringLiteral("/ANA.db"));
    if (shell > 0) {
        line("sqlite3_shell_select", k, "ms", shell);
        line("open_first_card", k, "vs_sqlite3", openMs / shell);
    }

    data::Database db(dir.path());
    data::Cursor c(db, QStringLiteral("Mustfirmadata"));
    c.setIndexName(QStringLiteral("IndIsim"));
    c.setFilter(QString::fromLatin1(kMode0));
    c.open();
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < 1000; ++i) c.next();
    line("next_record", k, "ms", ms(t) / 1000.0);

    t.restart();
    c.setFilter(QStringLiteral("MF='M'"));
    line("filter_switch", k, "ms", ms(t));

    c.setFilter(QString::fromLatin1(kMode0));
    const int target = 5 + n / 2;
    t.restart();
    const bool found = c.locate(QStringLiteral("Kod"), target);
    line("locate_kod", k, "ms", ms(t));
    if (!found)
        std::fprintf(stderr, "Kod %d not found\n", target);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QList<int> sizes = {1000, 10000, 100000};
    if (argc > 1) {
        sizes.clear();
        for (int i = 1; i < argc; ++i) sizes << QString::fromLatin1(argv[i]).toInt() * 1000;
    }
    for (int n : sizes) run(n);
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    std::printf("peak_rss_%dk_mb: %.1f\n", sizes.last() / 1000, ru.ru_maxrss / 1024.0);
    return 0;
}
