#include "dialogs/qt/asktext.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <cmath>

namespace dialogs {

QSizeF AskText::dialogUnits(const QFont& f) {
    const QFontMetricsF fm(f);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return {fm.horizontalAdvance(letters) / 52.0 / 4.0, fm.height() / 8.0};
}

AskText::AskText(const QString& caption, const QString& prompt, const QString& value,
                 QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("AskText"));
    setWindowTitle(caption);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    const QSizeF du = dialogUnits(font());
    auto dx = [&](int v) { return int(std::lround(v * du.width())); };
    auto dy = [&](int v) { return int(std::lround(v * du.height())); };

    prompt_ = new QLabel(prompt, this);
    prompt_->setObjectName(QStringLiteral("Prompt"));
    prompt_->setWordWrap(true);
    const int promptWidth = dx(164);
    const int natural = QFontMetrics(font()).horizontalAdvance(prompt);
    const int width = std::min(promptWidth, std::max(1, natural));
    const int height = prompt_->heightForWidth(width) > 0 ? prompt_->heightForWidth(width)
                                                          : prompt_->sizeHint().height();
    prompt_->setGeometry(dx(8), dy(8), width, height);

    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("Edit"));
    edit_->setMaxLength(255);
    edit_->setText(value.left(255));
    edit_->selectAll();
    const int editTop = prompt_->geometry().bottom() + 1 + 5;
    edit_->setGeometry(dx(8), editTop, dx(164), edit_->sizeHint().height());

    const int buttonTop = edit_->geometry().bottom() + 1 + 15;
    ok_ = new QPushButton(QStringLiteral("Tamam"), this);
    ok_->setObjectName(QStringLiteral("Tamam"));
    ok_->setDefault(true);
    ok_->setGeometry(dx(38), buttonTop, dx(50), dy(14));
    cancel_ = new QPushButton(QStringLiteral("İptal"), this);
    cancel_->setObjectName(QStringLiteral("Iptal"));
    cancel_->setGeometry(dx(92), buttonTop, dx(50), dy(14));
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    setFixedSize(dx(180), buttonTop + dy(14) + 13);
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect area = s->availableGeometry();
        move(area.center() - QPoint(this->width() / 2, this->height() / 2));
    }
    edit_->setFocus();
}

QString AskText::text() const {
    return edit_->text();
}

bool AskText::ask(dialogs::TextRequest& r, QWidget* parent) {
    AskText dlg(r.caption, r.prompt, r.value, parent);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    r.value = dlg.text();
    return true;
}

}  // namespace dialogs
