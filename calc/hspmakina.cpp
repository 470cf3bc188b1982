#include "calc/hspmakina.h"

#include "calc/tapeedit.h"
#include "dialogs/service.h"
#include "ui_hspmakina.h"

#include <QEvent>
#include <QFontDatabase>

namespace calc {

THspMakina::THspMakina(const TapeLocale& locale, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::THspMakina>()), tape_(locale) {
    ui_->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(172, 207);

    TapeEdit* l = ui_->Liste;
    QPalette pal = l->palette();
    pal.setColor(QPalette::Base, QColor(0, 128, 128));
    pal.setColor(QPalette::Text, QColor(0, 255, 0));
    pal.setColor(QPalette::Highlight, QColor(0, 96, 96));
    pal.setColor(QPalette::HighlightedText, QColor(0, 255, 0));
    l->setPalette(pal);
    // A fixed-pitch face keeps the rule of "=" as wide as the total under it.
    QFont tapeFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    tapeFont.setBold(true);
    tapeFont.setPointSize(9);
    l->setFont(tapeFont);
    l->onCharacter = [this](QChar c) { EkranKeyPress(c); };
    l->onInsert = [this] { ListeKeyDown(Qt::Key_Insert); };

    QFont opFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    opFont.setBold(true);
    opFont.setPointSize(11);
    QFont textFont(QStringLiteral("Arial"), 9);
    for (QPushButton* b : {ui_->Button1, ui_->Button2, ui_->Button3, ui_->Button4, ui_->Button5,
                           ui_->Button6, ui_->Button7}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
        b->setFont(b == ui_->Button6 || b == ui_->Button7 ? textFont : opFont);
    }
    operatorButton(ui_->Button1, Op::Plus);
    operatorButton(ui_->Button2, Op::Minus);
    operatorButton(ui_->Button3, Op::Times);
    operatorButton(ui_->Button4, Op::Divide);
    operatorButton(ui_->Button5, Op::Equals);
    connect(ui_->Button6, &QPushButton::clicked, this, [this] {
        run([this] {
            tape_.clear();
            return Tape::After::Nothing;
        });
    });
    connect(ui_->Button7, &QPushButton::clicked, this, [this] {
        run([this] {
            tape_.handOver();
            return Tape::After::Close;
        });
    });
    l->setFocus();
}

THspMakina::~THspMakina() = default;

TapeEdit* THspMakina::liste() const {
    return ui_->Liste;
}

QStringList THspMakina::shownLines() const {
    Tape t(tape_.locale());
    t.setLines(ui_->Liste->lines(), 0);
    return t.lines();
}

void THspMakina::operatorButton(QPushButton* b, Op op) {
    connect(b, &QPushButton::clicked, this, [this, op] {
        run([this, op] {
            tape_.applyOperator(op);
            return Tape::After::Nothing;
        });
    });
}

void THspMakina::run(const std::function<Tape::After()>& op) {
    tape_.setLines(ui_->Liste->lines(), ui_->Liste->caretLine());
    Tape::After after = Tape::After::Nothing;
    try {
        after = op();
    } catch (const std::exception& e) {
        // The tape engine changed nothing; the window shows the tape it had.
        ui_->Liste->setFocus();
        dialogs::showException(e);
        return;
    }
    ui_->Liste->showLines(tape_.lines(), tape_.currentLine());
    ui_->Liste->setFocus();
    if (after == Tape::After::Close)
        close();
}

void THspMakina::EkranKeyPress(QChar key) {
    if (key == QLatin1Char('\b')) {
        run([this] {
            tape_.backspace();
            return Tape::After::Nothing;
        });
        return;
    }
    run([this, key] { return tape_.key(key); });
}

void THspMakina::ListeKeyDown(int key) {
    if (key != Qt::Key_Insert)
        return;
    run([this] {
        tape_.insertThousands();
        return Tape::After::Nothing;
    });
}

void THspMakina::FormActivate() {
    if (rememberedResult() == 0)
        return;
    run([this] {
        tape_.showRemembered(rememberedResult());
        return Tape::After::Nothing;
    });
}

bool THspMakina::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate || e->type() == QEvent::Show)
        FormActivate();
    return QDialog::event(e);
}

}  // namespace calc
