#include "card/firmatan.h"

#include "calc/calculator.h"
#include "data/datamodule.h"
#include "dialogs/service.h"

#include <QShowEvent>

TFirmaTan* FirmaTan = nullptr;

TFirmaTan::TFirmaTan(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FirmaTan"));
    setFixedSize(469, 347);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    calc::addCalculatorShortcut(this);
}

QString TFirmaTan::modeCaption(int mode) {
    switch (mode) {
        case 0:
            return QString::fromUtf8("Adres ve Telefon Tizgeni");
        case 1:
            return QString::fromUtf8("Müşteri Tanım");
        case 2:
            return QString::fromUtf8("Firma Tanım");
        case 3:
            return QString::fromUtf8("Personel Tanım");
        case 4:
            return QString::fromUtf8("Gelir Tanım");
        default:
            return QString();
    }
}

QString TFirmaTan::modeFilter(int mode) {
    switch (mode) {
        case 0:
            return QStringLiteral("MF<>'K' And MF<>'E' And MF<>'Y' And MF<>'H'");
        case 1:
            return QStringLiteral("MF='M'");
        case 2:
            return QStringLiteral("MF='F'Or MF='I'");
        case 3:
            return QStringLiteral("MF='P'");
        case 4:
            return QStringLiteral("MF='G'");
        default:
            return QString();
    }
}

void TFirmaTan::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormActivate();
}

void TFirmaTan::FormActivate() {
    const int mode = Tag / 10;
    const QString caption = modeCaption(mode);
    if (!caption.isEmpty())
        setWindowTitle(caption);
    if (!DMKuvPro)
        return;
    try {
        data::Cursor* c = DMKuvPro->MustFirmaTanTbl;
        c->setIndexName(QStringLiteral("IndIsim"));
        const QString filter = modeFilter(mode);
        if (!filter.isEmpty())
            c->setFilter(filter);
        c->open();
    } catch (const std::exception& ex) {
        dialogs::showException(ex);
    }
}
