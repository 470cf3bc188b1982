#include "app/tizgenapp.h"

#include "app/bekle.h"
#include "calc/calculator.h"
#include "data/datamodule.h"
#include "dialogs/qt/qtdialogs.h"

#include <QDir>

TizgenApplication::TizgenApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TizgenApplication::notify(QObject* receiver, QEvent* e) {
    try {
        return QApplication::notify(receiver, e);
    } catch (const std::exception& ex) {
        dialogs::showException(ex);
    }
    return false;
}

int runTizgen(TizgenApplication& app) {
    static dialogs::QtService qtDialogs;
    dialogs::install(&qtDialogs);
    dialogs::loadQtTurkish();
    app.setApplicationName(QStringLiteral("tizgen"));
    dialogs::setApplicationTitle(applicationTitle());

    Bekle = new TBekle;
    Form1 = new TForm1(Bekle);
    TDMKuvPro* dm = nullptr;
    try {
        dm = new TDMKuvPro(QDir::currentPath(), &app);
    } catch (const std::exception& ex) {
        // without its database the program cannot go on
        dialogs::showException(ex);
        return 1;
    }
    dm->showSponsorPicture = [](const QString& path) { Form1->showPicture(path); };
    calc::installCalculator();
    Bekle->show();
    const int rc = app.exec();
    delete Bekle;
    Bekle = nullptr;
    return rc;
}
