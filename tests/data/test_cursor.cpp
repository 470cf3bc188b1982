#include "data/cursor.h"
#include "data/errors.h"
#include "tests/support/tempdb.h"

#include <QSignalSpy>
#include <QTest>

using namespace data;

class TestCursor : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void navigationAndEnds();
    void newFilterPostsModifiedEdit();
    void newFilterCancelsUnmodifiedEdit();
    void newFilterMovesToFirstRow();
    void deletingPendingInsertOnlyDropsIt();
    void deleteMovesToNextOrPrior();
    void postedRecordTakesItsPlaceInOrder();
    void editOfRecordLeavingView();
    void locateExactAndPrefix_data();
    void locateExactAndPrefix();
    void eventsRunInOrderAndAbortKeepsEdit();
    void editOnEmptyViewAppends();
    void setValueNeedsEditing();
    void recordAtReadsWithoutMoving();
    void newCardKeepsValuesAfterPostedCardLeftView();

private:
    std::unique_ptr<testsupport::TempDb> t_;
    std::unique_ptr<Cursor> c_;
    void add(const QString& isim, const QString& mf);
    QStringList names();
};

void TestCursor::init() {
    t_ = std::make_unique<testsupport::TempDb>();
    c_ = std::make_unique<Cursor>(t_->db(), "Mustfirmadata");
    c_->setIndexName("IndIsim");
    c_->setFilter("MF<>'K' And MF<>'E' And MF<>'Y' And MF<>'H'");
    c_->open();
    for (const char* n : {"Deniz", "Ali", "Cem", "Burak"}) add(QString::fromUtf8(n), "M");
    add(QString::fromUtf8("Şeyma"), "F");
    c_->first();
}

void TestCursor::cleanup() {
    c_.reset();
    t_.reset();
}

void TestCursor::add(const QString& isim, const QString& mf) {
    c_->append();
    c_->setValue("Isim", isim);
    c_->setValue("MF", mf);
    c_->post();
}

QStringList TestCursor::names() {
    QStringList out;
    for (int i = 1; i <= c_->recordCount(); ++i) {
        c_->setRecNo(i);
        out << c_->text("Isim");
    }
    return out;
}

void TestCursor::navigationAndEnds() {
    QCOMPARE(names(), (QStringList{"Ali", "Burak", "Cem", "Deniz", "Orhan Vural", "Şeyma"}));
    c_->first();
    QCOMPARE(c_->recNo(), 1);
    c_->prior();
    QVERIFY(c_->bof());
    QCOMPARE(c_->recNo(), 1);
    c_->next();
    QVERIFY(!c_->bof());
    QCOMPARE(c_->text("Isim"), QString("Burak"));
    c_->last();
    c_->next();
    QVERIFY(c_->eof());
    QCOMPARE(c_->text("Isim"), QString("Şeyma"));
}

void TestCursor::newFilterPostsModifiedEdit() {
    c_->edit();
    c_->setValue("Firma", "Değişti");
    c_->setFilter("MF='M'");
    QCOMPARE(c_->state(), State::Browse);
    QVERIFY(c_->locate("Isim", "Ali"));
    QCOMPARE(c_->text("Firma"), QString("Değişti"));
}

void TestCursor::newFilterCancelsUnmodifiedEdit() {
    QSignalSpy posted(c_.get(), &DataSet::recordChanged);
    int posts = 0;
    c_->on(Event::BeforePost, [&](DataSet&) { ++posts; });
    c_->edit();
    c_->setFilter("MF='M'");
    QCOMPARE(c_->state(), State::Browse);
    QCOMPARE(posts, 0);
    // a pending insert without changes is dropped as well
    c_->append();
    c_->setFilter("MF='F'");
    QCOMPARE(c_->recordCount(), 2);
}

void TestCursor::newFilterMovesToFirstRow() {
    c_->last();
    c_->setFilter("MF='M'");
    QCOMPARE(c_->recNo(), 1);
    QCOMPARE(c_->text("Isim"), QString("Ali"));
    c_->setFilter("MF='X'");
    QCOMPARE(c_->recordCount(), 0);
    QCOMPARE(c_->recNo(), 0);
    QVERIFY(c_->eof() && c_->bof());
    QVERIFY(c_->value("Isim").isNull());
}

void TestCursor::deletingPendingInsertOnlyDropsIt() {
    c_->setRecNo(3);
    c_->append();
    c_->setValue("Isim", "Yarım");
    c_->remove();
    QCOMPARE(c_->state(), State::Browse);
    QCOMPARE(c_->recordCount(), 6);
    QCOMPARE(c_->text("Isim"), QString("Cem"));
    QCOMPARE(names(), (QStringList{"Ali", "Burak", "Cem", "Deniz", "Orhan Vural", "Şeyma"}));
}

void TestCursor::deleteMovesToNextOrPrior() {
    QVERIFY(c_->locate("Isim", "Cem"));
    c_->remove();
    QCOMPARE(c_->text("Isim"), QString("Deniz"));
    c_->last();
    c_->remove();
    QCOMPARE(c_->text("Isim"), QString("Orhan Vural"));
    QCOMPARE(c_->recordCount(), 4);
    t_->reopen();
    Cursor again(t_->db(), "Mustfirmadata");
    again.open();
    QCOMPARE(again.recordCount(), 8);
}

void TestCursor::postedRecordTakesItsPlaceInOrder() {
    add(QString::fromUtf8("Çiğdem"), "M");
    QCOMPARE(c_->text("Isim"), QString("Çiğdem"));
    QCOMPARE(c_->recNo(), 4);  // after Cem, before Deniz
    c_->edit();
    c_->setValue("Isim", "Zehra");
    c_->post();
    QCOMPARE(c_->recNo(), 7);
}

void TestCursor::editOfRecordLeavingView() {
    QVERIFY(c_->locate("Isim", "Burak"));
    c_->setFilter("MF='M'");
    QVERIFY(c_->locate("Isim", "Burak"));
    c_->edit();
    c_->setValue("MF", "P");
    c_->post();
    QCOMPARE(c_->recordCount(), 3);
    // the cursor stands on the record now in the place the edited one had
    QCOMPARE(c_->text("Isim"), QString("Cem"));
}

void TestCursor::locateExactAndPrefix_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("caseInsensitive");
    QTest::addColumn<bool>("partial");
    QTest::addColumn<QString>("found");  // empty: not found
    QTest::newRow("exact") << "Cem" << false << false << "Cem";
    QTest::newRow("exact is case-sensitive") << "cem" << false << false << "";
    QTest::newRow("exact is not a prefix") << "Ce" << false << false << "";
    QTest::newRow("prefix") << "De" << false << true << "Deniz";
    QTest::newRow("prefix without case") << "de" << true << true << "Deniz";
    QTest::newRow("turkish case: ş") << "şey" << true << true << "Şeyma";
    QTest::newRow("hidden row not found") << "Yazar Kasa" << false << false << "";
}

void TestCursor::locateExactAndPrefix() {
    QFETCH(QString, value);
    QFETCH(bool, caseInsensitive);
    QFETCH(bool, partial);
    QFETCH(QString, found);
    c_->setRecNo(2);
    const bool ok = c_->locate("Isim", value, {caseInsensitive, partial});
    QCOMPARE(ok, !found.isEmpty());
    QCOMPARE(c_->text("Isim"), found.isEmpty() ? QString("Burak") : found);
}

void TestCursor::eventsRunInOrderAndAbortKeepsEdit() {
    QStringList seen;
    for (auto [e, name] : {std::pair{Event::BeforeEdit, "BeforeEdit"},
                           {Event::AfterEdit, "AfterEdit"},
                           {Event::BeforePost, "BeforePost"},
                           {Event::AfterPost, "AfterPost"},
                           {Event::BeforeCancel, "BeforeCancel"},
                           {Event::AfterCancel, "AfterCancel"}})
        c_->on(e, [&seen, n = QString(name)](DataSet&) { seen << n; });
    bool refuse = true;
    c_->on(Event::BeforePost, [&](DataSet&) {
        if (refuse)
            throw Abort();
    });
    c_->edit();
    c_->setValue("Firma", "Yeni");
    QVERIFY_THROWS_EXCEPTION(Abort, c_->post());
    QCOMPARE(c_->state(), State::Edit);
    QCOMPARE(c_->text("Firma"), QString("Yeni"));
    refuse = false;
    c_->post();
    QCOMPARE(seen,
             (QStringList{"BeforeEdit", "AfterEdit", "BeforePost", "BeforePost", "AfterPost"}));
    c_->edit();
    c_->cancel();
    QCOMPARE(seen.mid(5), (QStringList{"BeforeEdit", "AfterEdit", "BeforeCancel", "AfterCancel"}));
}

void TestCursor::editOnEmptyViewAppends() {
    c_->setFilter("MF='G'");
    c_->edit();
    QCOMPARE(c_->state(), State::Insert);
}

void TestCursor::setValueNeedsEditing() {
    QVERIFY_THROWS_EXCEPTION(Error, c_->setValue("Isim", "x"));
    c_->edit();
    QVERIFY_THROWS_EXCEPTION(ConversionError, c_->setValue("PostaKodu", "altı"));
    QCOMPARE(c_->state(), State::Edit);
}

void TestCursor::recordAtReadsWithoutMoving() {
    c_->setRecNo(2);
    int scrolls = 0;
    c_->on(Event::BeforeScroll, [&](DataSet&) { ++scrolls; });
    QSignalSpy moved(c_.get(), &DataSet::recordChanged);
    const int isim = c_->fieldIndex("Isim");
    QCOMPARE(c_->recordAt(4).value(isim).toString(), QString("Deniz"));
    QVERIFY(c_->recordAt(0).isEmpty());
    QVERIFY(c_->recordAt(7).isEmpty());
    c_->edit();
    c_->setValue("Firma", "Yazılıyor");
    QCOMPARE(c_->recordAt(1).value(isim).toString(), QString("Ali"));
    QCOMPARE(c_->state(), State::Edit);
    QCOMPARE(c_->text("Firma"), QString("Yazılıyor"));
    QCOMPARE(c_->recNo(), 2);
    QCOMPARE(scrolls, 0);
    QCOMPARE(moved.count(), 0);
}

void TestCursor::newCardKeepsValuesAfterPostedCardLeftView() {
    c_->setFilter("MF='M'");
    add("Fırat", "F");  // posted, and outside the view
    c_->append();
    c_->setValue("Isim", "Gamze");
    QCOMPARE(c_->recordCount(), 5);  // four in the view and the new one
    QCOMPARE(c_->text("Isim"), QString("Gamze"));
    QCOMPARE(c_->state(), State::Insert);
}

QTEST_GUILESS_MAIN(TestCursor)
#include "test_cursor.moc"
