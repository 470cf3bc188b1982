#pragma once

#include <QTextEdit>
#include <functional>

namespace calc {

/// The tape of the calculator: a text field whose character keys never reach the text
/// directly. Characters, Enter and Backspace go to onCharacter, Insert to onInsert; keys that
/// produce no character (arrows, Delete, Home, ...) edit the tape as in any text field.
class TapeEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit TapeEdit(QWidget* parent = nullptr);

    std::function<void(QChar)> onCharacter;
    std::function<void()> onInsert;

    /// The lines of the tape and the line holding the caret.
    QStringList lines() const;
    int caretLine() const;
    /// Shows the lines with the caret at the end of the given line.
    void showLines(const QStringList& lines, int caret);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    bool canInsertFromMimeData(const QMimeData*) const override { return false; }
    void insertFromMimeData(const QMimeData*) override {}
};

}  // namespace calc
