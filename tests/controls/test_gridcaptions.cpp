#include "controls/dbgrid.h"
#include "controls/gridcaptions.h"
#include "data/cursor.h"
#include "tests/support/tempdb.h"

#include <QHeaderView>
#include <QTest>

using controls::TGridCapTions;

class TestGridCaptions : public QObject {
    Q_OBJECT
private slots:
    void newStrip() {
        TGridCapTions s;
        QCOMPARE(s.size(), QSize(65, 20));
        QCOMPARE(s.shape(), TGridCapTions::CapShape::CsFrame);
        QCOMPARE(s.style(), TGridCapTions::CapStyle::CSLowered);
        QVERIFY(!s.grid());
        QVERIFY(!s.active());
        s.setObjectName(QStringLiteral("GridCapTions1"));
        QCOMPARE(s.cells().size(), 1);
        QCOMPARE(s.cells().first().caption, QStringLiteral("GridCapTions1"));
    }

    void linesUpWithTheGrid() {
        testsupport::TempDb db;
        data::Cursor cursor(db.db(), QStringLiteral("Mustfirmadata"));
        cursor.open();
        QWidget window;
        window.resize(500, 300);
        auto* grid = new controls::TNewDBGrid(&window);
        grid->setGeometry(10, 50, 420, 200);
        grid->setDataSet(&cursor);
        controls::Column a, b, c;
        a.fieldName = QStringLiteral("Isim");
        a.title = QStringLiteral("Adı");
        a.width = 120;
        b.fieldName = QStringLiteral("MF");
        b.visible = false;
        c.fieldName = QStringLiteral("Firma");
        c.width = 90;
        grid->setColumns({a, b, c});
        auto* strip = new TGridCapTions(&window);
        strip->setGrid(grid);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QCOMPARE(strip->geometry(), QRect(10, 50 - 20 + 1, 420, 20));
        QCOMPARE(strip->font(), grid->horizontalHeader()->font());
        const auto cells = strip->cells();
        QCOMPARE(cells.size(), 2);  // the hidden column has no cell
        QCOMPARE(cells[0].caption, QStringLiteral("Adı"));
        QCOMPARE(cells[1].caption, QStringLiteral("Firma"));
        // the cell borders fall on the column borders of the grid
        const int gridX = grid->viewport()->mapTo(grid, QPoint(0, 0)).x();
        QCOMPARE(cells[0].rect.right() + 1, gridX + grid->columnViewportPosition(2));
        QCOMPARE(cells[1].rect.right(), 419);  // the last reaches the grid's right edge

        grid->setColumnWidth(0, 150);
        QCOMPARE(strip->cells()[0].rect.right() + 1, gridX + grid->columnViewportPosition(2));

        delete grid;
        QVERIFY(!strip->grid());
        QCOMPARE(strip->cells().size(), 1);
    }
};

QTEST_MAIN(TestGridCaptions)
#include "test_gridcaptions.moc"
