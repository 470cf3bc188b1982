#include "data/cursor.h"
#include "report/error.h"
#include "report/export.h"
#include "report/fonts.h"
#include "report/listdataset.h"
#include "report/report.h"
#include "tests/report/fixture.h"
#include "tests/support/tempdb.h"

#include <QFile>
#include <QFontInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>

using namespace report;

namespace {

QString run(const QString& program, const QStringList& args, QByteArray* err = nullptr) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000))
        return {};
    if (err)
        *err = p.readAllStandardError();
    return QString::fromUtf8(p.readAllStandardOutput());
}

/// The runs of a page whose text starts with a prefix, in page order.
QVector<TextRun> runsStarting(const Page& p, const QString& prefix) {
    QVector<TextRun> out;
    for (const TextRun& t : p.texts)
        if (t.text.startsWith(prefix))
            out << t;
    return out;
}

struct PdfWord {
    double xMin, yMin, xMax, yMax;
    QString text;
    int page;
};

QVector<PdfWord> pdfWords(const QString& pdf, QSizeF* pageSize = nullptr) {
    const QString out =
        run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    QVector<PdfWord> words;
    static const QRegularExpression pageRe(
        QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\">"));
    static const QRegularExpression wordRe(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    int page = 0;
    for (const QString& line : out.split(QLatin1Char('\n'))) {
        const auto pm = pageRe.match(line);
        if (pm.hasMatch()) {
            ++page;
            if (pageSize)
                *pageSize = QSizeF(pm.captured(1).toDouble(), pm.captured(2).toDouble());
        }
        const auto m = wordRe.match(line);
        if (m.hasMatch())
            words << PdfWord{m.captured(1).toDouble(),
                             m.captured(2).toDouble(),
                             m.captured(3).toDouble(),
                             m.captured(4).toDouble(),
                             m.captured(5),
                             page};
    }
    return words;
}

}  // namespace

class TestReportEngine : public QObject {
    Q_OBJECT
private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    void fontsMapToInstalledFaces_data();
    void fontsMapToInstalledFaces();
    void headerOnEveryPage();
    void memoFieldGrows();
    void columnsFillColumnByColumn_data();
    void columnsFillColumnByColumn();
    void labelSheetPage();
    void emptyReportPrintsHeader();
    void skippedRecordsAndDisabledControls();
    void wrappedTextStaysInItsBox();
    void progressRunsFromZeroToHundred();
    void runsOverCursorInItsFilterAndOrder();

    void pdfHasTruePageSizeAndPositions();
    void pngOfAPage();
    void htmlPlacesTexts();
    void csvIsUtf8WithQuotes();
    void rtfOpensWithTextsAndPageBreaks();
    void xlsReadsBackWithNumbers();
    void spreadsheetNumbers_data();
    void spreadsheetNumbers();
    void nativeFileRoundTrip();
    void nativeFileRefusesDamage_data();
    void nativeFileRefusesDamage();
    void failedExportLeavesNoFile();

private:
    PreparedReport prepared(int records, PageSetup page = PageSetup::a4()) {
        auto ds = fixture::people(records);
        Report r;
        fixture::buildReport(r, ds.get());
        r.page = page;
        return r.prepare();
    }
    QString path(const QString& name) const { return dir_->filePath(name); }
    std::unique_ptr<QTemporaryDir> dir_;
};

void TestReportEngine::fontsMapToInstalledFaces_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Arial") << "Arial"
                           << "Liberation Sans";
    QTest::newRow("MS Sans Serif") << "MS Sans Serif"
                                   << "Liberation Sans";
    QTest::newRow("empty") << ""
                           << "Liberation Sans";
    QTest::newRow("Times New Roman") << "Times New Roman"
                                     << "Liberation Serif";
    QTest::newRow("Courier New") << "courier new"
                                 << "Liberation Mono";
    QTest::newRow("DejaVu Sans kept") << "DejaVu Sans"
                                      << "DejaVu Sans";
}

void TestReportEngine::fontsMapToInstalledFaces() {
    QFETCH(QString, family);
    QFETCH(QString, expected);
    QCOMPARE(mapFontFamily(family), expected);
    // the face really is installed, so that printing does not fall back silently
    QCOMPARE(QFontInfo(reportFont(family, 10)).family(), expected);
}

void TestReportEngine::headerOnEveryPage() {
    PageSetup a4;
    a4.topMm = 10;
    a4.bottomMm = 10;
    const PreparedReport r = prepared(120, a4);
    // (297 - 20) mm = 1046.9 px; minus the header 1006.9 px: 33 bands of 30 px per page
    QCOMPARE(r.pageCount(), 4);
    QCOMPARE(r.paperMm, QSizeF(210, 297));
    int seen = 0;
    for (int p = 1; p <= r.pageCount(); ++p) {
        const Page& page = r.pages[p - 1];
        const auto titles = runsStarting(page, QStringLiteral("Müşteri Listesi"));
        QCOMPARE(titles.size(), 1);
        QCOMPARE(titles[0].box.top(), mmToPx(10) + 5);
        QCOMPARE(page.lines.size(), 1);
        const auto names = runsStarting(page, QStringLiteral("Kişi"));
        QCOMPARE(names.size(), p < 4 ? 33 : 120 - 99);
        QCOMPARE(names.first().box.top(), mmToPx(10) + fixture::kHeaderHeight + 6);
        for (const TextRun& t : names) QVERIFY(t.box.bottom() <= mmToPx(287) + 0.01);
        seen += names.size();
        QVERIFY(r.pageText(p).startsWith(QStringLiteral("Müşteri Listesi\n")));
    }
    QCOMPARE(seen, 120);
}

void TestReportEngine::memoFieldGrows() {
    ListDataSet ds({QStringLiteral("Isim"), QStringLiteral("Telefon"), QStringLiteral("Tutar")});
    ds.addRecord({QStringLiteral("Ali"), QStringLiteral("111\r\n222\n333\n"), 1});
    ds.addRecord({QStringLiteral("Veli"), QStringLiteral("444"), 2});
    Report r;
    fixture::buildReport(r, &ds);
    const PreparedReport p = r.prepare();
    const Page& page = p.pages[0];
    const auto t1 = runsStarting(page, QStringLiteral("111"));
    const auto t2 = runsStarting(page, QStringLiteral("222"));
    const auto t3 = runsStarting(page, QStringLiteral("333"));
    QCOMPARE(t1.size(), 1);
    QCOMPARE(t2.size(), 1);
    QCOMPARE(t3.size(), 1);
    const double lh = t1[0].box.height();
    QVERIFY(lh > 10 && lh < 16);
    QCOMPARE(lh, lineHeightPx(QStringLiteral("Arial"), 10));
    QCOMPARE(t2[0].box.top(), t1[0].box.top() + lh);
    QCOMPARE(t3[0].box.top(), t1[0].box.top() + 2 * lh);
    // the next band starts below the grown field: its top (6) plus three lines
    const double first = fixture::kHeaderHeight;
    const auto veli = runsStarting(page, QStringLiteral("Veli"));
    QCOMPARE(veli[0].box.top(), first + std::max<double>(fixture::kBandHeight, 6 + 3 * lh) + 6);
    QCOMPARE(
        p.pageText(1).split(QLatin1Char('\n')).mid(1, 3),
        QStringList({QStringLiteral("Ali 111 1"), QStringLiteral("222"), QStringLiteral("333")}));
}

void TestReportEngine::columnsFillColumnByColumn_data() {
    QTest::addColumn<int>("columns");
    QTest::newRow("1 column") << 1;
    QTest::newRow("2 columns") << 2;
    QTest::newRow("3 columns") << 3;
}

void TestReportEngine::columnsFillColumnByColumn() {
    QFETCH(int, columns);
    // a page that holds the header and exactly 5 bands per column
    const double heightMm = pxToMm(fixture::kHeaderHeight + 5 * fixture::kBandHeight) + 0.001;
    PageSetup page = PageSetup::custom(210, heightMm);
    page.leftMm = 5;
    page.columns = columns;
    page.columnWidthMm = 60;
    page.columnGapMm = 4;
    const int records = 5 * columns * 2 + 3;
    const PreparedReport r = prepared(records, page);
    QCOMPARE(r.pageCount(), 3);
    for (int i = 0; i < records; ++i) {
        const int pageIndex = i / (5 * columns);
        const int column = (i / 5) % columns;
        const int row = i % 5;
        const auto runs = runsStarting(
            r.pages[pageIndex], QStringLiteral("Kişi %1").arg(i + 1, 3, 10, QLatin1Char('0')));
        QVERIFY2(runs.size() == 1, qPrintable(QString::number(i)));
        QCOMPARE(runs[0].x, mmToPx(5) + column * mmToPx(64) + 10);
        QCOMPARE(runs[0].box.top(),
                 double(fixture::kHeaderHeight + row * fixture::kBandHeight + 6));
    }
}

void TestReportEngine::labelSheetPage() {
    // the address-label sheet: 2 x 7 labels of 77 x 35 mm on a 163 x 267 mm page
    PageSetup page = PageSetup::custom(163, 267);
    page.leftMm = page.rightMm = 3;
    page.columns = 2;
    page.columnGapMm = 3;
    ListDataSet ds({QStringLiteral("Isim")});
    for (int i = 1; i <= 15; ++i) ds.addRecord({QStringLiteral("Etiket %1").arg(i)});
    Report r;
    r.page = page;
    r.dataSet = &ds;
    r.pageHeader.enabled = false;
    r.detail.height = 144;
    Control frame = Control::rect(QStringLiteral("Cerceve"), QRect(0, 0, 291, 133));
    r.detail.controls << frame
                      << Control::field(QStringLiteral("Ad"), QRect(7, 30, 200, 20),
                                        QStringLiteral("Isim"));
    const PreparedReport p = r.prepare();
    QCOMPARE(p.pageCount(), 2);
    QCOMPARE(p.pages[0].rects.size(), 14);
    QCOMPARE(p.pages[1].rects.size(), 1);
    const auto eighth = runsStarting(p.pages[0], QStringLiteral("Etiket 8"));
    QCOMPARE(eighth.size(), 1);
    QCOMPARE(eighth[0].x, mmToPx(3) + mmToPx(80) + 7);  // (163 - 6 - 3) / 2 = 77 mm wide
    QCOMPARE(eighth[0].box.top(), 30.0);
    QCOMPARE(p.pages[0].rects[6].rect.top(), 6 * 144.0);
}

void TestReportEngine::emptyReportPrintsHeader() {
    const PreparedReport r = prepared(0);
    QCOMPARE(r.pageCount(), 1);
    QCOMPARE(r.pageText(1), QStringLiteral("Müşteri Listesi"));
    Report noData;
    fixture::buildReport(noData, nullptr);
    QCOMPARE(noData.prepare().pageText(1), QStringLiteral("Müşteri Listesi"));
}

void TestReportEngine::skippedRecordsAndDisabledControls() {
    auto ds = fixture::people(6);
    Report r;
    fixture::buildReport(r, ds.get());
    r.detail.beforePrint = [](data::DataSet* d) { return d->recNo() % 2 == 0; };
    r.detail.control(QStringLiteral("T3"))->enabled = false;
    r.pageHeader.control(QStringLiteral("Cizgi"))->enabled = false;
    r.detail.control(QStringLiteral("T1"))->onPrint = [](data::DataSet*, QString& t) {
        t = t.toUpper();
    };
    const PreparedReport p = r.prepare();
    QCOMPARE(p.pages[0].lines.size(), 0);
    const QStringList lines = p.pageText(1).split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines[1], QStringLiteral("KIŞI 002 0212 555 1002"));
    QCOMPARE(lines[3], QStringLiteral("KIŞI 006 0212 555 1006"));
    // the skipped records leave no gap
    QCOMPARE(runsStarting(p.pages[0], QStringLiteral("KIŞI 004"))[0].box.top(),
             double(fixture::kHeaderHeight + fixture::kBandHeight + 6));
}

void TestReportEngine::wrappedTextStaysInItsBox() {
    ListDataSet ds({QStringLiteral("Adres")});
    ds.addRecord({QStringLiteral("Atatürk Caddesi Gül Sokak No 5 Daire 12 Kadıköy İstanbul")});
    Report r;
    r.dataSet = &ds;
    r.detail.height = 60;
    Control a = Control::field(QStringLiteral("A"), QRect(10, 0, 120, 30), QStringLiteral("Adres"));
    a.wordWrap = true;
    Control zero = Control::label(QStringLiteral("Z"), QRect(10, 40, 0, 0), QStringLiteral("yok"));
    r.detail.controls << a << zero;
    const PreparedReport p = r.prepare();
    const Page& page = p.pages[0];
    // two lines fit into 30 pixels; the rest is not printed, nothing is wider than the box
    QCOMPARE(page.texts.size(), 2);
    for (const TextRun& t : page.texts) {
        QVERIFY(t.width <= 120.01);
        QVERIFY(t.box.bottom() <= 30.01);
    }
    QVERIFY(page.texts[0].text.startsWith(QStringLiteral("Atatürk")));
    QVERIFY(!p.pageText(1).contains(QStringLiteral("yok")));
}

void TestReportEngine::progressRunsFromZeroToHundred() {
    auto ds = fixture::people(250);
    Report r;
    fixture::buildReport(r, ds.get());
    QList<int> progress;
    QList<int> pages;
    r.onProgress = [&](int p) { progress << p; };
    r.onPage = [&](int n) { pages << n; };
    const PreparedReport p = r.prepare();
    QCOMPARE(progress.first(), 0);
    QCOMPARE(progress.last(), 100);
    QVERIFY(std::is_sorted(progress.begin(), progress.end()));
    QVERIFY(progress.size() > 10);
    QCOMPARE(pages.size(), p.pageCount());
    QCOMPARE(pages.last(), p.pageCount());
}

void TestReportEngine::runsOverCursorInItsFilterAndOrder() {
    testsupport::TempDb db;
    data::Cursor c(db.db(), QStringLiteral("Mustfirmadata"));
    c.open();
    const QStringList names = {QStringLiteral("Zeynep"), QStringLiteral("Ömer"),
                               QStringLiteral("Çağla"), QStringLiteral("İsmail"),
                               QStringLiteral("Ahmet")};
    for (const QString& n : names) {
        c.append();
        c.setValue(QStringLiteral("Isim"), n);
        c.setValue(QStringLiteral("MF"),
                   n == QStringLiteral("Ahmet") ? QStringLiteral("A") : QStringLiteral("B"));
        c.setValue(QStringLiteral("Telefon"), QStringLiteral("0312 111\n0532 222"));
        c.post();
    }
    c.setIndexName(QStringLiteral("IndIsim"));
    c.setFilter(QStringLiteral("MF='B'"));
    Report r;
    fixture::buildReport(r, &c);
    r.detail.control(QStringLiteral("T3"))->fieldName = QStringLiteral("Kod");
    const PreparedReport p = r.prepare();
    QStringList printed;
    for (const TextRun& t : p.pages[0].texts)
        if (names.contains(t.text))
            printed << t.text;
    // Turkish order: Ç after C, İ after I, Ö after O
    QCOMPARE(printed, QStringList({QStringLiteral("Çağla"), QStringLiteral("İsmail"),
                                   QStringLiteral("Ömer"), QStringLiteral("Zeynep")}));
    QCOMPARE(runsStarting(p.pages[0], QStringLiteral("0532")).size(), 4);
}

void TestReportEngine::pdfHasTruePageSizeAndPositions() {
    PageSetup page = PageSetup::custom(163, 267);
    page.leftMm = 3;
    page.columns = 2;
    page.columnGapMm = 3;
    page.rightMm = 3;
    auto ds = fixture::people(70);
    Report rep;
    fixture::buildReport(rep, ds.get());
    rep.page = page;
    rep.detail.control(QStringLiteral("T3"))->geometry =
        QRect(150, 6, 60, 16);  // inside the column
    const PreparedReport r = rep.prepare();
    QVERIFY(r.pageCount() >= 2);
    exportPdf(r, path(QStringLiteral("a.pdf")));

    const QString info = run(QStringLiteral("pdfinfo"), {path(QStringLiteral("a.pdf"))});
    // the writer rounds the page box to whole points: within 0.2 mm of 163 x 267 mm
    const auto sizeMatch =
        QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(info);
    QVERIFY2(sizeMatch.hasMatch(), qPrintable(info));
    QVERIFY(std::fabs(sizeMatch.captured(1).toDouble() - 163 / 25.4 * 72) < 0.5);
    QVERIFY(std::fabs(sizeMatch.captured(2).toDouble() - 267 / 25.4 * 72) < 0.5);
    QVERIFY(
        info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(r.pageCount()))));
    const QString fonts = run(QStringLiteral("pdffonts"), {path(QStringLiteral("a.pdf"))});
    QVERIFY2(fonts.contains(QStringLiteral("LiberationSans")), qPrintable(fonts));
    for (const QString& line : fonts.split(QLatin1Char('\n')).mid(2))
        if (!line.trimmed().isEmpty())
            QVERIFY2(
                line.contains(QRegularExpression(QStringLiteral("\\byes\\s+(yes|no)\\s+yes\\b"))),
                qPrintable(fonts));  // embedded, with a Unicode map

    QSizeF size;
    const QVector<PdfWord> words = pdfWords(path(QStringLiteral("a.pdf")), &size);
    QVERIFY(std::fabs(size.width() - 462.047) < 0.5);
    constexpr double tolPt = 0.5 / 25.4 * 72;  // half a millimetre
    int checked = 0;
    for (int p = 0; p < r.pageCount(); ++p) {
        for (const TextRun& t : r.pages[p].texts) {
            const QString firstWord = t.text.section(QLatin1Char(' '), 0, 0);
            const PdfWord* found = nullptr;
            for (const PdfWord& w : words)
                if (w.page == p + 1 && w.text == firstWord && std::fabs(w.xMin - t.x * 0.75) < 3 &&
                    std::fabs(w.yMin - t.box.top() * 0.75) < 5)
                    found = &w;
            QVERIFY2(found, qPrintable(t.text));
            QVERIFY2(
                std::fabs(found->xMin - t.x * 0.75) <= tolPt,
                qPrintable(
                    QStringLiteral("%1: x %2 / %3").arg(t.text).arg(found->xMin).arg(t.x * 0.75)));
            // the baseline: pdftotext's box ends at the font's descent below it
            const double baselinePt = t.baseline * 0.75;
            QVERIFY2(found->yMin < baselinePt && found->yMax > baselinePt &&
                         std::fabs(found->yMin - t.box.top() * 0.75) <= tolPt,
                     qPrintable(QStringLiteral("%1: y %2 / %3")
                                    .arg(t.text)
                                    .arg(found->yMin)
                                    .arg(t.box.top() * 0.75)));
            ++checked;
        }
    }
    QVERIFY(checked > 100);
    // TIZGEN_TEST_OUT names a folder that keeps the printout for a look at it
    if (qEnvironmentVariableIsSet("TIZGEN_TEST_OUT"))
        QFile::copy(path(QStringLiteral("a.pdf")),
                    qEnvironmentVariable("TIZGEN_TEST_OUT") + QStringLiteral("/labels.pdf"));
    // text can be searched: the Turkish letters come back as they were
    QVERIFY(run(QStringLiteral("pdftotext"), {path(QStringLiteral("a.pdf")), QStringLiteral("-")})
                .contains(QStringLiteral("Müşteri Listesi")));
}

void TestReportEngine::pngOfAPage() {
    const PreparedReport r = prepared(10);
    exportPng(r, 1, path(QStringLiteral("p1.png")), 1.0);
    QImage img(path(QStringLiteral("p1.png")));
    QCOMPARE(img.size(), QSize(794, 1123));
    // the header rule is drawn black at y 34, nothing at the right edge
    QCOMPARE(qGray(img.pixel(200, 34)) < 100, true);
    QCOMPARE(img.pixel(700, 34), qRgb(255, 255, 255));
    // some text ink inside the first name's box
    bool ink = false;
    for (int y = 46; y < 62 && !ink; ++y)
        for (int x = 10; x < 60 && !ink; ++x) ink = qGray(img.pixel(x, y)) < 128;
    QVERIFY(ink);
    QVERIFY_THROWS_EXCEPTION(Error, exportPng(r, 2, path(QStringLiteral("p2.png"))));
}

void TestReportEngine::htmlPlacesTexts() {
    ListDataSet ds({QStringLiteral("Isim"), QStringLiteral("Telefon"), QStringLiteral("Tutar")});
    ds.addRecord({QStringLiteral("<Ali & Veli>"), QStringLiteral("1\n2"), 3});
    Report r;
    fixture::buildReport(r, &ds);
    const PreparedReport p = r.prepare();
    const QString html = QString::fromUtf8(htmlDocument(p));
    QVERIFY(html.startsWith(QStringLiteral("<!DOCTYPE html>")));
    QVERIFY(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
    QVERIFY(html.contains(QStringLiteral("<title>Deneme Raporu</title>")));
    QVERIFY(html.contains(QStringLiteral("width:793.70px;height:1122.52px")));
    QCOMPARE(html.count(QStringLiteral("class=\"page\"")), 1);
    QVERIFY(html.contains(QStringLiteral("left:10.00px;top:46.00px;")));
    QVERIFY(html.contains(QStringLiteral(">&lt;Ali &amp; Veli&gt;</span>")));
    QVERIFY(html.contains(QStringLiteral(">Müşteri Listesi</span>")));
    QVERIFY(html.contains(QStringLiteral("font-family:'Liberation Sans'")));
    const PreparedReport three = prepared(100);
    QCOMPARE(QString::fromUtf8(htmlDocument(three)).count(QStringLiteral("class=\"page\"")), 3);
}

void TestReportEngine::csvIsUtf8WithQuotes() {
    ListDataSet ds({QStringLiteral("Isim"), QStringLiteral("Telefon"), QStringLiteral("Tutar")});
    ds.addRecord({QStringLiteral("Şükrü, Ağa"), QStringLiteral("0212 \"ev\""), 12.5});
    ds.addRecord({QStringLiteral("Işık"), QStringLiteral("1\n2"), QVariant()});
    Report r;
    fixture::buildReport(r, &ds);
    exportCsv(r.prepare(), path(QStringLiteral("a.csv")));
    QFile f(path(QStringLiteral("a.csv")));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(),
             QByteArray("\xEF\xBB\xBF") +
                 QStringLiteral("Müşteri Listesi\r\n\"Şükrü, Ağa\",\"0212 \"\"ev\"\"\",\"12,5\"\r\n"
                                "Işık,1\r\n2\r\n")
                     .toUtf8());
}

void TestReportEngine::rtfOpensWithTextsAndPageBreaks() {
    const PreparedReport r = prepared(80);  // 36, 36 and 8 records
    QCOMPARE(r.pageCount(), 3);
    exportRtf(r, path(QStringLiteral("a.doc")));
    const QByteArray rtf = rtfDocument(r);
    QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1254"));
    QCOMPARE(rtf.count("\\pagebb"), 2);
    QByteArray err;
    // unrtf's HTML keeps the Turkish letters (its plain text turns them into question marks)
    QTextDocument doc;
    doc.setHtml(run(QStringLiteral("unrtf"),
                    {QStringLiteral("--html"), path(QStringLiteral("a.doc"))}, &err));
    const QString text = doc.toPlainText();
    QVERIFY2(!text.isEmpty(), err.constData());
    QCOMPARE(text.count(QStringLiteral("Müşteri Listesi")), 3);
    const int a = text.indexOf(QStringLiteral("Kişi 001"));
    const int b = text.indexOf(QStringLiteral("Kişi 037"));
    const int c = text.indexOf(QStringLiteral("Kişi 080"));
    QVERIFY(a > 0 && b > a && c > b);
    QVERIFY(text.contains(QStringLiteral("0212 555 1080")));
    QVERIFY(text.contains(QStringLiteral("840")));
}

void TestReportEngine::xlsReadsBackWithNumbers() {
    ListDataSet ds({QStringLiteral("Isim"), QStringLiteral("Telefon"), QStringLiteral("Tutar")});
    ds.addRecord({QStringLiteral("Şükrü Ağaoğlu"), QStringLiteral("05321234567"), 1234.5});
    ds.addRecord({QStringLiteral("İnci"), QStringLiteral("0212\n0216"), 7});
    Report r;
    fixture::buildReport(r, &ds);
    exportXls(r.prepare(), path(QStringLiteral("a.xls")));
    const QString script = QStringLiteral(
        "import sys, json, xlrd\n"
        "b = xlrd.open_workbook(sys.argv[1])\n"
        "s = b.sheet_by_index(0)\n"
        "print(json.dumps({'sheets': b.sheet_names(), 'cells': [[[c.ctype, c.value] for c in "
        "s.row(i)] for i in range(s.nrows)]}))\n");
    QByteArray err;
    const QString out = run(QStringLiteral("/usr/bin/python3"),
                            {QStringLiteral("-c"), script, path(QStringLiteral("a.xls"))}, &err);
    QVERIFY2(!out.isEmpty(), err.constData());
    const QJsonObject o = QJsonDocument::fromJson(out.toUtf8()).object();
    QCOMPARE(o[QStringLiteral("sheets")].toArray().first().toString(), QStringLiteral("Sayfa1"));
    const QJsonArray rows = o[QStringLiteral("cells")].toArray();
    QCOMPARE(rows.size(), 4);
    auto cell = [&](int row, int c) { return rows[row].toArray()[c].toArray(); };
    QCOMPARE(cell(0, 0).toVariantList(), QVariantList({1, QStringLiteral("Müşteri Listesi")}));
    QCOMPARE(cell(1, 0).toVariantList(), QVariantList({1, QStringLiteral("Şükrü Ağaoğlu")}));
    QCOMPARE(cell(1, 1).toVariantList(), QVariantList({1, QStringLiteral("05321234567")}));
    QCOMPARE(cell(1, 2).toVariantList(), QVariantList({2, 1234.5}));
    QCOMPARE(cell(2, 2).toVariantList(), QVariantList({2, 7}));
    QCOMPARE(cell(3, 0).toVariantList(), QVariantList({1, QStringLiteral("0216")}));
    // an OLE2 compound file, as legacy workbooks are
    QFile f(path(QStringLiteral("a.xls")));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.read(8), QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8));
}

void TestReportEngine::spreadsheetNumbers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("value");
    QTest::newRow("whole") << "12" << true << 12.0;
    QTest::newRow("zero") << "0" << true << 0.0;
    QTest::newRow("decimal comma") << "-3,5" << true << -3.5;
    QTest::newRow("thousands") << "1.234,50" << true << 1234.5;
    QTest::newRow("leading zero phone") << "05321234567" << false << 0.0;
    QTest::newRow("zero comma") << "0,25" << true << 0.25;
    QTest::newRow("blanks inside") << "0212 555" << false << 0.0;
    QTest::newRow("word") << "Kod 5" << false << 0.0;
    QTest::newRow("too many digits") << "1234567890123456" << false << 0.0;
    QTest::newRow("bad grouping") << "12.34" << false << 0.0;
}

void TestReportEngine::spreadsheetNumbers() {
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(double, value);
    double v = 0;
    QCOMPARE(spreadsheetNumber(text, v), isNumber);
    if (isNumber)
        QCOMPARE(v, value);
}

void TestReportEngine::nativeFileRoundTrip() {
    PageSetup page = PageSetup::custom(163, 267);
    page.columns = 2;
    PreparedReport r = prepared(60, page);
    r.pages[0].rects << RectShape{QRectF(1, 2, 3, 4), 2, QColor(Qt::red), QColor(Qt::gray)};
    saveNative(r, path(QStringLiteral("a.qrp")));
    const PreparedReport back = loadNative(path(QStringLiteral("a.qrp")));
    QCOMPARE(back.title, r.title);
    QCOMPARE(back.paperMm, r.paperMm);
    QCOMPARE(back.pageCount(), r.pageCount());
    QCOMPARE(back.fonts.size(), r.fonts.size());
    for (int p = 0; p < r.pageCount(); ++p) {
        QCOMPARE(back.pageText(p + 1), r.pageText(p + 1));
        const Page& a = r.pages[p];
        const Page& b = back.pages[p];
        QCOMPARE(b.texts.size(), a.texts.size());
        for (int i = 0; i < a.texts.size(); ++i) {
            QCOMPARE(b.texts[i].box, a.texts[i].box);
            QCOMPARE(b.texts[i].baseline, a.texts[i].baseline);
            QCOMPARE(b.texts[i].font, a.texts[i].font);
        }
        QCOMPARE(b.lines.size(), a.lines.size());
        QCOMPARE(b.rects.size(), a.rects.size());
        QCOMPARE(back.pageImage(p + 1, 0.5), r.pageImage(p + 1, 0.5));
    }
    QCOMPARE(back.pages[0].rects.last().brush, QColor(Qt::gray));
    QCOMPARE(back.pages[0].rects.last().pen, QColor(Qt::red));
}

void TestReportEngine::nativeFileRefusesDamage_data() {
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("message");
    QTest::newRow("flipped byte") << "flip"
                                  << "bozuk";
    QTest::newRow("cut short") << "cut"
                               << "bozuk";
    QTest::newRow("foreign file") << "foreign"
                                  << "bir rapor dosyası değil";
    QTest::newRow("empty file") << "empty"
                                << "bir rapor dosyası değil";
    QTest::newRow("newer version") << "version"
                                   << "okuyamadığı bir sürümde";
}

void TestReportEngine::nativeFileRefusesDamage() {
    QFETCH(QString, damage);
    QFETCH(QString, message);
    QByteArray bytes = nativeDocument(prepared(40));
    if (damage == QLatin1String("flip"))
        bytes[bytes.size() / 2] = char(bytes[bytes.size() / 2] ^ 0x55);
    else if (damage == QLatin1String("cut"))
        bytes.chop(100);
    else if (damage == QLatin1String("foreign"))
        bytes = "%PDF-1.4 whatever";
    else if (damage == QLatin1String("empty"))
        bytes.clear();
    else if (damage == QLatin1String("version"))
        bytes[16] = 9;
    QFile f(path(QStringLiteral("bad.qrp")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    try {
        loadNative(path(QStringLiteral("bad.qrp")));
        QFAIL("a damaged file was loaded");
    } catch (const Error& e) {
        QVERIFY2(e.message().contains(message), qPrintable(e.message()));
        QVERIFY(e.message().contains(path(QStringLiteral("bad.qrp"))));
    }
    try {
        loadNative(path(QStringLiteral("missing.qrp")));
        QFAIL("a missing file was loaded");
    } catch (const Error& e) {
        QCOMPARE(e.message(), QStringLiteral("File does not exist"));
    }
}

void TestReportEngine::failedExportLeavesNoFile() {
    const PreparedReport r = prepared(5);
    // a folder that does not exist, and a folder given as the file
    for (const QString& target : {path(QStringLiteral("yok/a.pdf")), dir_->path()}) {
        for (Format f :
             {Format::Pdf, Format::Html, Format::Xls, Format::Rtf, Format::Csv, Format::Native}) {
            try {
                exportTo(f, r, target);
                QFAIL("the export reported success");
            } catch (const Error& e) {
                QVERIFY2(e.message().contains(QStringLiteral("yazılamadı")),
                         qPrintable(e.message()));
            }
        }
    }
    QVERIFY(!QFile::exists(path(QStringLiteral("yok"))));
    // an export that fails midway keeps the old file and leaves no temporary one behind
    QFile old(path(QStringLiteral("old.csv")));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("eski");
    old.close();
    QVERIFY_THROWS_EXCEPTION(Error,
                             writeFileSafely(path(QStringLiteral("old.csv")), [](QIODevice& d) {
                                 d.write("yarım");
                                 throw Error(QStringLiteral("disk dolu"));
                             }));
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("eski"));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList({QStringLiteral("old.csv")}));
}

QTEST_MAIN(TestReportEngine)
#include "test_report_engine.moc"
