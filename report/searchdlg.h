#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace report {

/// The preview's text search question: the text to look for and whether letter case must
/// match. "Ara" accepts, "İptal" rejects.
class TSearchDlg : public QDialog {
    Q_OBJECT
public:
    explicit TSearchDlg(QWidget* parent = nullptr);

    QString searchText() const;
    bool matchCase() const;
    QLineEdit* edit() const { return edit_; }
    QCheckBox* matchCaseBox() const { return matchCase_; }
    QPushButton* searchButton() const { return search_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    QLineEdit* edit_;
    QCheckBox* matchCase_;
    QPushButton* search_;
    QPushButton* cancel_;
};

}  // namespace report
