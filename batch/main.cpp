#include "batch/import.h"
#include "data/datamodule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

namespace {

void print(FILE* f, const QString& s) {
    std::fputs(s.toUtf8().constData(), f);
    std::fputc('\n', f);
}

int usage() {
    print(stderr, QString::fromUtf8("Kullanım: tizgen-batch [--data KLASÖR] import DOSYA.csv"));
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString folder = QDir::currentPath();
    if (args.size() >= 2 && args[0] == QLatin1String("--data")) {
        folder = args[1];
        args = args.mid(2);
    }
    if (args.size() != 2 || args[0] != QLatin1String("import"))
        return usage();

    QFile file(args[1]);
    if (!file.open(QIODevice::ReadOnly)) {
        print(stderr, QString::fromUtf8("%1 okunamadı: %2").arg(args[1], file.errorString()));
        return 2;
    }
    const QString text = QString::fromUtf8(file.readAll());
    try {
        TDMKuvPro dm(folder);
        data::Cursor* cards = dm.MustFirmaTanTbl;
        cards->open();
        const batch::ImportResult r = batch::importCards(*cards, text);
        if (!r.fatal.isEmpty()) {
            print(stderr, r.fatal);
            print(stderr, QString::fromUtf8("Hiçbir kart eklenmedi."));
            return 2;
        }
        for (const auto& p : r.refused)
            print(stderr, QString::fromUtf8("%1. satır eklenmedi: %2").arg(p.line).arg(p.reason));
        print(stdout, QString::fromUtf8("%1 kart eklendi, %2 satır eklenmedi.")
                          .arg(r.added)
                          .arg(r.refused.size()));
        return r.refused.isEmpty() ? 0 : 1;
    } catch (const std::exception& e) {
        print(stderr, QString::fromLocal8Bit(e.what()));
        return 2;
    }
}
