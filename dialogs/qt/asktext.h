#pragma once

#include "dialogs/service.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace dialogs {

/// The one-line text question: the prompt word-wrapped above a text field of at most 255
/// letters that holds the initial text, all selected, and the buttons "Tamam" (default) and
/// "İptal" (also Esc). Measured in dialog units of its font; fixed border, centred on the
/// screen.
class AskText : public QDialog {
    Q_OBJECT
public:
    AskText(const QString& caption, const QString& prompt, const QString& value,
            QWidget* parent = nullptr);

    QString text() const;
    QLabel* promptLabel() const { return prompt_; }
    QLineEdit* edit() const { return edit_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

    /// Asks modally; on "Tamam" puts the answer into r.value and returns true.
    static bool ask(dialogs::TextRequest& r, QWidget* parent = nullptr);

    /// Dialog units of a font: a horizontal unit is a quarter of the average width of the
    /// letters A-Z and a-z, a vertical unit an eighth of the letter height.
    static QSizeF dialogUnits(const QFont& f);

private:
    QLabel* prompt_;
    QLineEdit* edit_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

}  // namespace dialogs
