#include "report/searchdlg.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace report {

TSearchDlg::TSearchDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TSearchDlg"));
    setWindowTitle(QStringLiteral("Önizleme : Metin Arama"));
    // a fixed border without the title bar's buttons
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    auto* label = new QLabel(QStringLiteral("Aranacak metin :"), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setGeometry(12, 12, 280, 18);
    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("SearchEdit"));
    edit_->setGeometry(12, 32, 280, 24);
    label->setBuddy(edit_);
    matchCase_ = new QCheckBox(QStringLiteral("Büyüh/Küçük harf eşleştir"), this);
    matchCase_->setObjectName(QStringLiteral("CaseSensitive"));
    matchCase_->setGeometry(12, 64, 280, 22);
    cancel_ = new QPushButton(QStringLiteral("İptal"), this);
    cancel_->setObjectName(QStringLiteral("CancelButton"));
    cancel_->setGeometry(12, 98, 100, 28);
    search_ = new QPushButton(QStringLiteral("Ara"), this);
    search_->setObjectName(QStringLiteral("SearchButton"));
    search_->setGeometry(192, 98, 100, 28);
    search_->setDefault(true);
    connect(search_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(304, 138);
    edit_->setFocus();
}

QString TSearchDlg::searchText() const {
    return edit_->text();
}
bool TSearchDlg::matchCase() const {
    return matchCase_->isChecked();
}

}  // namespace report
