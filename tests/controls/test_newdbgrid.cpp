#include "controls/dbgrid.h"
#include "data/cursor.h"
#include "dialogs/service.h"
#include "tests/support/keys.h"
#include "tests/support/scripted.h"
#include "tests/support/tempdb.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

using controls::Column;
using controls::TNewDBGrid;

namespace {

// Columns: 0 Isim, 1 Ili (two-item pick list), 2 Ucret (money), 3 Firma (look-up).
QVector<Column> columns() {
    Column isim;
    isim.fieldName = QStringLiteral("Isim");
    isim.width = 120;
    Column ili;
    ili.fieldName = QStringLiteral("Ili");
    ili.pickList = QStringList{QStringLiteral("Ankara"), QStringLiteral("İzmir")};
    Column ucret;
    ucret.fieldName = QStringLiteral("Ucret");
    Column firma;
    firma.fieldName = QStringLiteral("Firma");
    firma.lookup = true;
    firma.pickList = QStringList{QStringLiteral("Orvu"), QStringLiteral("Başka")};
    return {isim, ili, ucret, firma};
}

}  // namespace

class Fixture {
public:
    explicit Fixture(int extraRows = 3) : cursor(db.db(), QStringLiteral("Mustfirmadata")) {
        cursor.setFiltered(false);
        cursor.open();
        for (int i = 0; i < extraRows; ++i) {
            cursor.append();
            cursor.setValue(QStringLiteral("Isim"), QStringLiteral("Kişi %1").arg(i));
            cursor.post();
        }
        cursor.first();
        auto* lay = new QVBoxLayout(&window);
        grid = new TNewDBGrid(&window);
        grid->setDataSet(&cursor);
        grid->setColumns(columns());
        lay->addWidget(grid);
        window.resize(480, 300);
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qWarning("window not active");
        grid->setFocus();
        settle();
    }
    void settle() {
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    }
    void key(int k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QWidget* target = grid->cellEditor() ? grid->cellEditor() : grid;
        QTest::keyClick(target, Qt::Key(k), m);
        settle();
    }
    void goTo(int recNo, int column) {
        cursor.setRecNo(recNo);
        grid->setCurrentIndex(grid->model()->index(recNo - 1, column));
        settle();
    }
    /// Opens the cell editor on the current cell with the text typed into it.
    QLineEdit* typeInCell(const QString& text) {
        grid->edit(grid->currentIndex());
        auto* line = qobject_cast<QLineEdit*>(grid->cellEditor());
        if (line) {
            line->selectAll();
            testsupport::typeText(line, text);
        }
        return line;
    }
    QPoint cellCenter(int row, int column) {
        return grid->visualRect(grid->model()->index(row, column)).center();
    }

    testsupport::ScriptedDialogs dialogs;
    testsupport::TempDb db;
    data::Cursor cursor;
    QWidget window;
    TNewDBGrid* grid;
};

class TestNewDBGrid : public QObject {
    Q_OBJECT
private slots:
    void defaults() {
        TNewDBGrid g;
        QVERIFY(g.UpDownMov());
        QVERIFY(!g.AutoAppend());
        QVERIFY(g.TabShftTabMov());
        QVERIFY(g.Clickable());
        QVERIFY(g.Scrollable());
        QVERIFY(g.OrvuStyle());
        QVERIFY(!g.isReadOnly());
        using G = controls::TmyCustomDbGrid;
        QCOMPARE(g.options(), G::dgEditing | G::dgTitles | G::dgIndicator | G::dgColumnResize |
                                  G::dgColLines | G::dgRowLines | G::dgTabs | G::dgConfirmDelete |
                                  G::dgCancelOnExit);
    }

    void arrowKeys_data() {
        QTest::addColumn<bool>("upDownMov");
        QTest::addColumn<bool>("autoAppend");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<int>("start");  // 0: the last record
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("recNo");  // 0: the last record
        QTest::addColumn<int>("added");
        QTest::addColumn<bool>("message");

        QTest::addRow("Up moves") << true << false << false << 3 << int(Qt::Key_Up) << 2 << 0
                                  << false;
        QTest::addRow("Down moves")
            << true << false << false << 3 << int(Qt::Key_Down) << 4 << 0 << false;
        QTest::addRow("UpDownMov off: Up refused")
            << false << false << false << 3 << int(Qt::Key_Up) << 3 << 0 << true;
        QTest::addRow("UpDownMov off: Down refused")
            << false << false << false << 3 << int(Qt::Key_Down) << 3 << 0 << true;
        QTest::addRow("UpDownMov off, read-only: Up moves")
            << false << false << true << 3 << int(Qt::Key_Up) << 2 << 0 << false;
        QTest::addRow("UpDownMov off, read-only: Down moves")
            << false << false << true << 3 << int(Qt::Key_Down) << 4 << 0 << false;
        QTest::addRow("Down on the last record adds nothing")
            << true << false << false << 0 << int(Qt::Key_Down) << 0 << 0 << false;
        QTest::addRow("AutoAppend: Down on the last record appends")
            << true << true << false << 0 << int(Qt::Key_Down) << 0 << 1 << false;
        QTest::addRow("read-only: Down on the last record adds nothing")
            << true << true << true << 0 << int(Qt::Key_Down) << 0 << 0 << false;
        QTest::addRow("Insert adds no record")
            << true << true << false << 3 << int(Qt::Key_Insert) << 3 << 0 << false;
    }
    void arrowKeys() {
        QFETCH(bool, upDownMov);
        QFETCH(bool, autoAppend);
        QFETCH(bool, readOnly);
        QFETCH(int, start);
        QFETCH(int, key);
        QFETCH(int, recNo);
        QFETCH(int, added);
        QFETCH(bool, message);
        Fixture f;
        f.grid->setUpDownMov(upDownMov);
        f.grid->setAutoAppend(autoAppend);
        f.grid->setReadOnly(readOnly);
        const int count = f.cursor.recordCount();
        f.goTo(start ? start : count, 0);
        f.key(key);
        QCOMPARE(f.cursor.recordCount(), count + added);
        QCOMPARE(f.cursor.state(), added ? data::State::Insert : data::State::Browse);
        if (!added)
            QCOMPARE(f.cursor.recNo(), recNo ? recNo : count);
        QCOMPARE(f.grid->currentIndex().row(), f.grid->dataModel()->currentRow());
        QCOMPARE(f.dialogs.texts_shown(),
                 message
                     ? QStringList{"Bir kayıtla işinizi bitirmeden diğer\rkayıtlara geçemezsiniz"}
                     : QStringList{});
    }

    void downPostsTheEditedCell() {
        Fixture f;
        const int count = f.cursor.recordCount();
        f.goTo(count, 0);
        QVERIFY(f.typeInCell(QStringLiteral("Şule")));
        QCOMPARE(f.cursor.state(), data::State::Browse);  // nothing written yet
        f.key(Qt::Key_Down);
        QCOMPARE(f.cursor.state(), data::State::Browse);
        QCOMPARE(f.cursor.recordCount(), count);
        QCOMPARE(f.cursor.recNo(), count);
        QCOMPARE(f.cursor.text(QStringLiteral("Isim")), QStringLiteral("Şule"));

        // in the middle the grid posts and goes on
        f.goTo(2, 0);
        QVERIFY(f.typeInCell(QStringLiteral("Ömer")));
        f.key(Qt::Key_Down);
        QCOMPARE(f.cursor.recNo(), 3);
        f.cursor.setRecNo(2);
        QCOMPARE(f.cursor.text(QStringLiteral("Isim")), QStringLiteral("Ömer"));
    }

    void tabKeys_data() {
        QTest::addColumn<bool>("tabMov");
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("back");
        QTest::addColumn<int>("row");  // relative to the start row
        QTest::addColumn<int>("newColumn");
        QTest::addRow("Tab: next column") << false << 0 << false << 0 << 1;
        QTest::addRow("Tab at the row's end stays") << false << 3 << false << 0 << 3;
        QTest::addRow("Shift+Tab: previous column") << false << 2 << true << 0 << 1;
        QTest::addRow("Shift+Tab at the start stays") << false << 0 << true << 0 << 0;
        QTest::addRow("stock Tab moves on to the next row") << true << 3 << false << 1 << 0;
        QTest::addRow("stock Shift+Tab back to the previous row") << true << 0 << true << -1 << 3;
    }
    void tabKeys() {
        QFETCH(bool, tabMov);
        QFETCH(int, column);
        QFETCH(bool, back);
        QFETCH(int, row);
        QFETCH(int, newColumn);
        Fixture f;
        f.grid->setTabShftTabMov(tabMov);
        f.goTo(3, column);
        if (back)
            f.key(Qt::Key_Backtab, Qt::ShiftModifier);
        else
            f.key(Qt::Key_Tab);
        QCOMPARE(f.grid->currentIndex().column(), newColumn);
        QCOMPARE(f.cursor.recNo(), 3 + row);
        QVERIFY(f.grid->hasFocus());
    }

    void tabInTheEditorStaysOnTheRow() {
        Fixture f;
        f.grid->setTabShftTabMov(false);
        f.goTo(3, 3 - 3);                                       // Isim
        f.grid->setCurrentIndex(f.grid->model()->index(2, 2));  // Ucret
        f.settle();
        QVERIFY(f.typeInCell(QStringLiteral("5")));
        f.key(Qt::Key_Tab);
        QCOMPARE(f.grid->currentIndex(), f.grid->model()->index(2, 3));
        QCOMPARE(f.cursor.recNo(), 3);
        QCOMPARE(f.cursor.value(QStringLiteral("Ucret")).toDouble(), 5.0);
    }

    void thousandsKey() {
        Fixture f;
        f.goTo(2, 2);
        QLineEdit* line = f.typeInCell(QStringLiteral("12"));
        QVERIFY(line);
        f.key(Qt::Key_Insert);
        QCOMPARE(line->text(), QStringLiteral("12000"));
        QCOMPARE(f.cursor.value(QStringLiteral("Ucret")).toDouble(), 12000.0);
        QCOMPARE(f.cursor.state(), data::State::Edit);
        f.cursor.post();

        // with the editor closed, or in a text column, the key does nothing
        f.key(Qt::Key_Insert);
        QCOMPARE(f.cursor.state(), data::State::Browse);
        QCOMPARE(f.cursor.value(QStringLiteral("Ucret")).toDouble(), 12000.0);
        f.goTo(2, 0);
        line = f.typeInCell(QStringLiteral("Ali"));
        f.key(Qt::Key_Insert);
        QCOMPARE(line->text(), QStringLiteral("Ali"));
    }

    void downOpensThePickList() {
        Fixture f;
        f.goTo(3, 1);
        f.key(Qt::Key_Down);
        auto* combo = qobject_cast<QComboBox*>(f.grid->cellEditor());
        QVERIFY(combo);
        QTRY_VERIFY(combo->view()->isVisible());
        QCOMPARE(f.cursor.recNo(), 3);
        combo->hidePopup();

        // read-only, the list stays shut and Down moves
        Fixture g;
        g.grid->setReadOnly(true);
        g.goTo(3, 1);
        g.key(Qt::Key_Down);
        QVERIFY(!g.grid->cellEditor());
        QCOMPARE(g.cursor.recNo(), 4);
    }

    void escapeInALookUpColumnKeepsTheEdit() {
        Fixture f;
        f.goTo(3, 0);
        const QString before = f.cursor.text(QStringLiteral("Isim"));
        f.typeInCell(QStringLiteral("Veli"));
        f.grid->setCurrentIndex(f.grid->model()->index(2, 3));  // Firma, the look-up column
        f.settle();
        QCOMPARE(f.cursor.state(), data::State::Edit);
        f.key(Qt::Key_Escape);
        QCOMPARE(f.cursor.state(), data::State::Edit);
        // elsewhere Esc cancels the record's edit
        f.grid->setCurrentIndex(f.grid->model()->index(2, 0));
        f.settle();
        f.key(Qt::Key_Escape);
        QCOMPARE(f.cursor.state(), data::State::Browse);
        QCOMPARE(f.cursor.text(QStringLiteral("Isim")), before);
    }

    void mouse_data() {
        QTest::addColumn<bool>("clickable");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("recNo");
        QTest::addColumn<bool>("message");
        QTest::addRow("click moves") << true << false << 4 << 5 << false;
        QTest::addRow("not clickable: another row refused") << false << false << 4 << 3 << true;
        QTest::addRow("not clickable: the current row works") << false << false << 2 << 3 << false;
        QTest::addRow("not clickable, read-only: moves") << false << true << 4 << 5 << false;
    }
    void mouse() {
        QFETCH(bool, clickable);
        QFETCH(bool, readOnly);
        QFETCH(int, row);
        QFETCH(int, recNo);
        QFETCH(bool, message);
        Fixture f;
        f.grid->setClickable(clickable);
        f.grid->setReadOnly(readOnly);
        f.goTo(3, 0);
        QTest::mouseClick(f.grid->viewport(), Qt::LeftButton, {}, f.cellCenter(row, 2));
        f.settle();
        QCOMPARE(f.cursor.recNo(), recNo);
        QCOMPARE(f.dialogs.messages.size(), message ? 1 : 0);
        QCOMPARE(f.grid->currentIndex().row(), recNo - 1);
        if (!message)
            QCOMPARE(f.grid->currentIndex().column(), 2);
    }

    void rightClicks() {
        Fixture f;
        f.goTo(3, 1);
        QList<int> single, twice;
        f.grid->OnRightClick = [&](int c) { single << c; };
        f.grid->OnDoubleRightClick = [&](int c) { twice << c; };
        // the column with the focus is reported, not the one under the mouse
        QTest::mouseClick(f.grid->viewport(), Qt::RightButton, {}, f.cellCenter(4, 3));
        QCOMPARE(single, QList<int>{1});
        QTest::mouseDClick(f.grid->viewport(), Qt::RightButton, {}, f.cellCenter(4, 3));
        QCOMPARE(twice, QList<int>{1});
        QCOMPARE(f.cursor.recNo(), 3);  // a right click moves nothing
    }

    void deleteQuestions_data() {
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("question");
        QTest::addColumn<int>("deleted");
        QTest::addRow("the current record")
            << 0 << int(dialogs::Ok) << "Bu kayıt silinsin mi?" << 1;
        QTest::addRow("cancelled") << 0 << int(dialogs::Cancel) << "Bu kayıt silinsin mi?" << 0;
        QTest::addRow("one selected row") << 1 << int(dialogs::Ok) << "Bu kayıt silinsin mi?" << 1;
        QTest::addRow("three selected rows")
            << 3 << int(dialogs::Ok) << "Seçilen kayıtlar silinsin mi?" << 3;
        QTest::addRow("three selected, cancelled")
            << 3 << int(dialogs::Cancel) << "Seçilen kayıtlar silinsin mi?" << 0;
    }
    void deleteQuestions() {
        QFETCH(int, selected);
        QFETCH(int, answer);
        QFETCH(QString, question);
        QFETCH(int, deleted);
        Fixture f(6);
        using G = controls::TmyCustomDbGrid;
        f.grid->setOptions(f.grid->options() | G::dgMultiSelect);
        f.goTo(6, 0);
        QStringList names;
        for (int i = 0; i < selected; ++i) {
            const int row = 5 + i;  // records 6, 7, 8
            f.grid->selectionModel()->select(
                f.grid->model()->index(row, 0),
                QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
        const int count = f.cursor.recordCount();
        f.dialogs.answers << dialogs::Button(answer);
        f.key(Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(f.dialogs.texts_shown(), QStringList{question});
        QCOMPARE(f.dialogs.messages.first().buttons, dialogs::Ok | dialogs::Cancel);
        QCOMPARE(f.cursor.recordCount(), count - deleted);
        QVERIFY(!f.cursor.locate(QStringLiteral("Isim"), QStringLiteral("Kişi 0")) ==
                (deleted > 0));
        if (selected == 3 && deleted)
            QVERIFY(!f.cursor.locate(QStringLiteral("Isim"), QStringLiteral("Kişi 2")));
    }

    void readOnlyDeletesNothing() {
        Fixture f;
        f.grid->setReadOnly(true);
        const int count = f.cursor.recordCount();
        f.key(Qt::Key_Delete, Qt::ControlModifier);
        QVERIFY(f.dialogs.messages.isEmpty());
        QCOMPARE(f.cursor.recordCount(), count);
    }

    void scrollBar() {
        Fixture f(60);
        QScrollBar* bar = f.grid->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        f.grid->setScrollable(false);
        const QPoint low(bar->width() / 2, bar->height() - 25);
        QTest::mouseClick(bar, Qt::LeftButton, {}, low);
        QCOMPARE(bar->value(), 0);
        f.grid->setReadOnly(true);
        QTest::mouseClick(bar, Qt::LeftButton, {}, low);
        QVERIFY(bar->value() > 0);
    }

    void watermark() {
        Fixture f(60);
        QWidget* w = f.grid->watermark();
        QVERIFY(w->isVisible());
        f.grid->verticalScrollBar()->setValue(10);
        QVERIFY(w->isVisible());  // shown again after scrolling
        f.grid->setOrvuStyle(false);
        QVERIFY(!w->isVisible());
        f.grid->verticalScrollBar()->setValue(20);
        f.grid->viewport()->repaint();
        QVERIFY(!w->isVisible());
    }

    void indicatorFollowsTheState() {
        Fixture f;
        f.goTo(2, 0);
        QCOMPARE(f.grid->dataModel()->currentRow(), 1);
        f.cursor.append();
        f.settle();
        QCOMPARE(f.grid->dataModel()->currentRow(), f.cursor.recordCount() - 1);
        QCOMPARE(f.grid->currentIndex().row(), f.cursor.recordCount() - 1);
        // leaving the untouched new record drops it
        const int count = f.cursor.recordCount();
        f.key(Qt::Key_Up);
        QCOMPARE(f.cursor.state(), data::State::Browse);
        QCOMPARE(f.cursor.recordCount(), count - 1);
    }

    void refusedPostKeepsTheRecord() {
        Fixture f;
        f.cursor.on(data::Event::BeforePost, [](data::DataSet&) {
            dialogs::inform(QStringLiteral("Değiştirilemez"), QStringLiteral("olmaz"));
            throw data::Abort();
        });
        f.goTo(3, 0);
        f.typeInCell(QStringLiteral("Hayri"));
        QTest::mouseClick(f.grid->viewport(), Qt::LeftButton, {}, f.cellCenter(5, 0));
        f.settle();
        QCOMPARE(f.cursor.recNo(), 3);
        QCOMPARE(f.cursor.state(), data::State::Edit);
        QCOMPARE(f.grid->currentIndex().row(), 2);
        QCOMPARE(f.dialogs.texts_shown(), QStringList{"olmaz"});
    }

    void showsTheRowsOnDemand() {
        Fixture f(40);
        f.cursor.setRecNo(30);
        f.settle();
        const QModelIndex i = f.grid->model()->index(10, 0);
        QCOMPARE(i.data().toString(), f.cursor.recordCount() >= 11 ? [&] {
            data::Cursor c(f.db.db(), QStringLiteral("Mustfirmadata"));
            c.setFiltered(false);
            c.open();
            c.setRecNo(11);
            return c.text(QStringLiteral("Isim"));
        }() : QString());
        QCOMPARE(f.cursor.recNo(), 30);  // reading a row does not move the data set
        f.cursor.edit();
        f.cursor.setValue(QStringLiteral("Isim"), QStringLiteral("Değişti"));
        QCOMPARE(f.grid->model()->index(29, 0).data().toString(), QStringLiteral("Değişti"));
        QVERIFY(!f.grid->model()->index(10, 0).data().toString().isEmpty());  // kept while editing
    }
};

QTEST_MAIN(TestNewDBGrid)
#include "test_newdbgrid.moc"
