#include "calc/calculator.h"

#include "calc/hspmakina.h"
#include "data/datamodule.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace calc {
namespace {

QPointer<THspMakina> instance;

TapeLocale moduleLocale() {
    TapeLocale t = tapeLocale(QLocale());
    if (DMKuvPro) {
        t.currencyDigits = DMKuvPro->localeValues.currencyDigits;
        t.decimalSeparator = DMKuvPro->localeValues.decimalSeparator;
    }
    return t;
}

}  // namespace

THspMakina* calculator() {
    return instance;
}

void showCalculator() {
    if (!instance) {
        instance = new THspMakina(moduleLocale());
        // Hidden top-level windows are not deleted by the application; end it with the run.
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, instance, &QObject::deleteLater);
    }
    if (instance->isVisible())
        return;
    instance->exec();
}

void installCalculator() {
    if (DMKuvPro)
        DMKuvPro->showCalculatorHook = [] { showCalculator(); };
}

QAction* addCalculatorShortcut(QWidget* window) {
    auto* action = new QAction(QStringLiteral("Hesap Makinası"), window);
    action->setObjectName(QStringLiteral("HesapMakinasi"));
    action->setShortcut(Qt::Key_F5);
    action->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(action, &QAction::triggered, window, [] {
        if (DMKuvPro && DMKuvPro->showCalculatorHook)
            DMKuvPro->ShowCalculator();
        else
            showCalculator();
    });
    window->addAction(action);
    return action;
}

void destroyCalculator() {
    delete instance.data();
}

}  // namespace calc
