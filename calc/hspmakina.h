#pragma once

#include "calc/tape.h"

#include <QDialog>
#include <functional>
#include <memory>

namespace Ui {
class THspMakina;
}

class QPushButton;

namespace calc {

class TapeEdit;

/// The calculator window "Hesap Makinası": the tape with its seven buttons. Closing only hides
/// it; the tape, the total and the pending operator stay until "Temizle".
class THspMakina : public QDialog {
    Q_OBJECT
public:
    explicit THspMakina(const TapeLocale& locale = calc::tapeLocale(), QWidget* parent = nullptr);
    ~THspMakina() override;

    const Tape& tape() const { return tape_; }
    TapeEdit* liste() const;
    /// The tape lines as the window shows them.
    QStringList shownLines() const;

    void EkranKeyPress(QChar key);
    void ListeKeyDown(int key);
    void FormActivate();

protected:
    bool event(QEvent* e) override;

private:
    void run(const std::function<Tape::After()>& op);
    void operatorButton(QPushButton* b, Op op);

    std::unique_ptr<Ui::THspMakina> ui_;
    Tape tape_;
};

}  // namespace calc
