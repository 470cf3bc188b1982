#include "calc/calculator.h"
#include "calc/hspmakina.h"
#include "calc/tapeedit.h"
#include "data/datamodule.h"
#include "tests/support/scripted.h"
#include "tests/support/tempdb.h"

#include <QAction>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using calc::THspMakina;

namespace {

// Presses F5 in the window (made active first, as a user would) and runs f once the modal
// calculator is up; f must close it. The timer dies with the window, so a failing F5 leaves
// nothing behind.
void pressF5(QWidget& window, std::function<void()> f) {
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTimer::singleShot(0, &window, std::move(f));
    QTest::keyClick(&window, Qt::Key_F5);
}

void type(QWidget* w, const QString& keys) {
    for (QChar c : keys) {
        if (c == QLatin1Char('\r'))
            QTest::keyClick(w, Qt::Key_Return);
        else if (c == QLatin1Char('\b'))
            QTest::keyClick(w, Qt::Key_Backspace);
        else
            QTest::keyClick(w, c.toLatin1());
    }
}

QPushButton* button(THspMakina& m, const char* name) {
    return m.findChild<QPushButton*>(QLatin1String(name));
}

}  // namespace

class TestHspMakina : public QObject {
    Q_OBJECT
private slots:
    void init() {
        calc::setRememberedResult(0);
        dialogs::resetAppException();
    }
    void cleanup() { calc::destroyCalculator(); }

    void looks() {
        THspMakina m;
        QCOMPARE(m.objectName(), QStringLiteral("HspMakina"));
        QCOMPARE(m.windowTitle(), QStringLiteral("Hesap Makinası"));
        QCOMPARE(m.size(), QSize(172, 207));
        QVERIFY(m.liste()->document()->defaultTextOption().alignment() & Qt::AlignRight);
        QCOMPARE(m.liste()->palette().color(QPalette::Base), QColor(0, 128, 128));
        QCOMPARE(m.liste()->palette().color(QPalette::Text), QColor(0, 255, 0));
        QVERIFY(m.liste()->font().bold());
    }

    void buttons_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hint");
        QTest::addRow("plus") << "Button1"
                              << "+"
                              << "+ tuşu ile toplama işlemi yapar";
        QTest::addRow("minus") << "Button2"
                               << "-"
                               << "- tuşu ile çıkarma işlemi yapar";
        QTest::addRow("times") << "Button3"
                               << "x"
                               << "* x X tuşları ile çarpma işlemi yapar";
        QTest::addRow("divide") << "Button4"
                                << "÷"
                                << "/ :  tuşları ile bölme işlemi yapar";
        QTest::addRow("equals") << "Button5"
                                << "="
                                << "= ve Enter tuşları ile sonucu gösterir";
        QTest::addRow("clear") << "Button6"
                               << "&Temizle"
                               << "Ara tuşu ile ekranı temizler";
        QTest::addRow("hand over") << "Button7"
                                   << "&Aktar"
                                   << "Sonucu geldiği yere aktarır.";
    }
    void buttons() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, hint);
        THspMakina m;
        QPushButton* b = m.findChild<QPushButton*>(name);
        QVERIFY(b);
        QCOMPARE(b->text(), caption);
        QCOMPARE(b->toolTip(), hint);
        QVERIFY(m.rect().contains(b->geometry()));
    }

    void keysOnTheTape() {
        THspMakina m;
        m.show();
        type(m.liste(), QStringLiteral("5+7\r"));
        QCOMPARE(m.shownLines(), (QStringList{"₺5 + ", "₺7 = ", "===== ", "₺12 ≡ ", " < "}));
        QCOMPARE(m.tape().total(), 12.0);
        QCOMPARE(m.liste()->caretLine(), 4);
        // keys become no text of their own: the letter is dropped, Backspace edits the number
        type(m.liste(), QStringLiteral("12.5q\b"));
        QCOMPARE(m.shownLines().last(), QStringLiteral("₺12 < "));
        QTest::keyClick(m.liste(), Qt::Key_Insert);
        QCOMPARE(m.shownLines().last(), QStringLiteral("₺12.000 < "));
        type(m.liste(), QStringLiteral("t"));
        QCOMPARE(m.shownLines(), QStringList());
        QCOMPARE(m.tape().total(), 0.0);
    }

    void theButtons() {
        THspMakina m;
        m.show();
        type(m.liste(), QStringLiteral("10"));
        QTest::mouseClick(button(m, "Button4"), Qt::LeftButton);
        QVERIFY(m.liste()->hasFocus() || !m.isActiveWindow());
        type(m.liste(), QStringLiteral("4"));
        QTest::mouseClick(button(m, "Button5"), Qt::LeftButton);
        QCOMPARE(m.shownLines(), (QStringList{"₺10 ÷ ", "₺4 = ", "====== ", "₺2,5 ≡ ", " < "}));
        type(m.liste(), QStringLiteral("3"));
        QTest::mouseClick(button(m, "Button3"), Qt::LeftButton);
        type(m.liste(), QStringLiteral("2"));
        QTest::mouseClick(button(m, "Button2"), Qt::LeftButton);
        type(m.liste(), QStringLiteral("1"));
        QTest::mouseClick(button(m, "Button1"), Qt::LeftButton);
        QCOMPARE(m.tape().total(), 5.0);  // 3×2−1
        QTest::mouseClick(button(m, "Button6"), Qt::LeftButton);
        QCOMPARE(m.shownLines(), QStringList());
        QCOMPARE(m.tape().pending(), calc::Op::None);
    }

    void errorsChangeNothing_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("failing");
        QTest::addColumn<bool>("handler");
        QTest::addColumn<QString>("message");
        QTest::addRow("division by zero") << "10/0"
                                          << "\r" << true << "Sıfıra bölme hatası.";
        QTest::addRow("letter on an empty line, handler installed")
            << "5+"
            << "k" << true << "Yanlış girdiniz!";
        QTest::addRow("letter on an empty line, standard message")
            << "5+"
            << "k" << false << "'' geçerli bir sayı değil.";
    }
    void errorsChangeNothing() {
        QFETCH(QString, keys);
        QFETCH(QString, failing);
        QFETCH(bool, handler);
        QFETCH(QString, message);
        testsupport::ScriptedDialogs dialogs;
        if (handler)
            dialogs::installAppException();
        THspMakina m;
        m.show();
        type(m.liste(), keys);
        const QStringList before = m.shownLines();
        const double total = m.tape().total();
        type(m.liste(), failing);
        QCOMPARE(dialogs.texts_shown(), QStringList{message});
        QCOMPARE(m.shownLines(), before);
        QCOMPARE(m.tape().total(), total);
        QVERIFY(m.isVisible());
    }

    void f5OpensTheOneCalculator() {
        QWidget window;
        QAction* f5 = calc::addCalculatorShortcut(&window);
        QCOMPARE(f5->shortcut(), QKeySequence(Qt::Key_F5));
        window.show();

        QPointer<THspMakina> first;
        pressF5(window, [&] {
            first = calc::calculator();
            QVERIFY(first && first->isVisible() && first->isModal());
            type(first->liste(), QStringLiteral("5+7\r2+"));
            QTest::keyClick(first->liste(), Qt::Key_Escape);
        });
        QVERIFY(first);
        QVERIFY(!first->isVisible());

        QStringList seen;
        pressF5(window, [&] {
            QCOMPARE(calc::calculator(), first.data());
            seen = calc::calculator()->shownLines();
            type(calc::calculator()->liste(), QStringLiteral("3\r"));
            calc::calculator()->close();
        });
        QCOMPARE(seen, (QStringList{"₺5 + ", "₺7 = ", "===== ", "₺12 ≡ ", "₺2 + ", " < "}));
        QCOMPARE(first->tape().total(), 5.0);  // the pending + survived the closing
    }

    void aktarHandsTheTotalOver() {
        QWidget window;
        calc::addCalculatorShortcut(&window);
        window.show();
        pressF5(window, [&] {
            type(calc::calculator()->liste(), QStringLiteral("5+7\r"));
            QTest::mouseClick(button(*calc::calculator(), "Button7"), Qt::LeftButton);
        });
        QVERIFY(!calc::calculator()->isVisible());
        QCOMPARE(calc::rememberedResult(), 12.0);

        QString current;
        pressF5(window, [&] {
            current = calc::calculator()->shownLines().last();
            calc::calculator()->close();
        });
        QCOMPARE(current, QStringLiteral("₺12,00"));
    }

    void throughTheDataModule() {
        testsupport::TempDb db;
        TDMKuvPro module(db.folder());
        QVERIFY(!module.showCalculatorHook);
        calc::installCalculator();
        QVERIFY(module.showCalculatorHook);
        bool shown = false;
        QTimer::singleShot(0, &module, [&] {
            shown = calc::calculator() && calc::calculator()->isVisible();
            calc::calculator()->close();
        });
        module.ShowCalculator();
        QVERIFY(shown);
    }
};

QTEST_MAIN(TestHspMakina)
#include "test_hspmakina.moc"
