#include "calc/tapeedit.h"

#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>

namespace calc {

TapeEdit::TapeEdit(QWidget* parent) : QTextEdit(parent) {
    setAcceptRichText(false);
    setUndoRedoEnabled(false);
    setTabChangesFocus(true);
    setWordWrapMode(QTextOption::NoWrap);
    QTextOption option = document()->defaultTextOption();
    option.setAlignment(Qt::AlignRight);
    option.setWrapMode(QTextOption::NoWrap);
    document()->setDefaultTextOption(option);
}

QStringList TapeEdit::lines() const {
    return toPlainText().split(QLatin1Char('\n'));
}

int TapeEdit::caretLine() const {
    return textCursor().blockNumber();
}

void TapeEdit::showLines(const QStringList& lines, int caret) {
    setPlainText(lines.join(QLatin1Char('\n')));
    QTextBlock block = document()->findBlockByNumber(caret);
    QTextCursor c(document());
    if (block.isValid()) {
        c.setPosition(block.position() + block.length() - 1);
    } else {
        c.movePosition(QTextCursor::End);
    }
    setTextCursor(c);
    ensureCursorVisible();
}

void TapeEdit::keyPressEvent(QKeyEvent* e) {
    const Qt::KeyboardModifiers mods = e->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    switch (e->key()) {
        case Qt::Key_Escape:
            e->ignore();
            return;  // the window closes
        case Qt::Key_Insert:
            if (onInsert)
                onInsert();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (onCharacter)
                onCharacter(QLatin1Char('\r'));
            return;
        case Qt::Key_Backspace:
            if (onCharacter)
                onCharacter(QLatin1Char('\b'));
            return;
        default:
            break;
    }
    const QString text = e->text();
    if (mods == Qt::NoModifier && !text.isEmpty() && text.at(0).isPrint()) {
        for (QChar c : text)
            if (onCharacter)
                onCharacter(c);
        return;
    }
    if (mods == Qt::NoModifier || e->matches(QKeySequence::Copy) ||
        e->matches(QKeySequence::SelectAll))
        QTextEdit::keyPressEvent(e);  // caret keys and Delete
    else
        e->ignore();
}

}  // namespace calc
