#include "app/bekle.h"

#include "card/firmatan.h"
#include "data/datamodule.h"
#include "data/seeds.h"
#include "dialogs/service.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

TBekle* Bekle = nullptr;
TForm1* Form1 = nullptr;

QString applicationTitle() {
    return QString::fromUtf8("Orvu Tizgen Programı- ") + data::Producer::phone();
}

namespace {
QFont msSansSerif() {
    // "MS Sans Serif" is no font here: take the desktop's sans font at the same size
    QFont f(QStringLiteral("Liberation Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSize(8);
    return f;
}

void centre(QWidget* w) {
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect r = s->availableGeometry();
        w->move(r.center() - QPoint(w->width() / 2, w->height() / 2));
    }
}
}  // namespace

TBekle::TBekle(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Bekle"));
    setWindowTitle(QString::fromUtf8("Program Yükleniyor... Lütfen Bekleyiniz."));
    // no system menu, no minimise or maximise buttons: only the caption bar
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFont(msSansSerif());
    setFixedSize(322, 38);
    centre(this);
    FormCreate();
}

void TBekle::FormCreate() {
    // the desktop shortcuts are installed here once the shell integration exists
    folderName_ = QString::fromUtf8("Tizgen Programı");
}

void TBekle::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    // the first activation runs from the event loop, after the window is on the screen
    if (!activated_)
        QTimer::singleShot(0, this, [this] { FormActivate(); });
}

bool TBekle::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate && !activated_)
        QTimer::singleShot(0, this, [this] { FormActivate(); });
    return QWidget::event(e);
}

void TBekle::FormActivate() {
    if (activated_)
        return;
    activated_ = true;
    try {
        data::Cursor* ayar = DMKuvPro->AyarTbl;
        if (!ayar->isOpen())
            ayar->open();
        // the settings row in use; without one the cursor stays on its first row
        ayar->locate(QStringLiteral("Default"), true);
    } catch (const std::exception& ex) {
        dialogs::showException(ex);
    }
    FirmaTan = new TFirmaTan(this);
    FirmaTan->Tag = 0;
    setWindowTitle(QString::fromUtf8("Bizi seçtiğiniz için teşekkürler. Orvu Bilgisayar"));
    FirmaTan->exec();
    QCoreApplication::exit(0);
}

void TBekle::keyPressEvent(QKeyEvent* e) {
    if (!e->text().isEmpty())
        FormKeyPress(e->text().at(0));
    QWidget::keyPressEvent(e);
}

void TBekle::FormKeyPress(QChar key) {
    if (key == QChar(27))
        close();
}

TForm1::TForm1(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Sponsorumuz"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(msSansSerif());
    resize(382, 296);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setAccessibleName(QStringLiteral("Sponsorumuz"));
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(Image1);
}

void TForm1::showPicture(const QString& path) {
    const QPixmap pm(path);
    if (pm.isNull())
        return;
    Image1->setPixmap(pm);
    // the frame adds 8 across and 38 down to the picture, as the window's outer size
    resize(pm.width() + 8, pm.height() + 38);
    exec();
}

void TForm1::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QDialog::keyPressEvent(e);
}
