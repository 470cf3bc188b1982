#include "report/export.h"
#include "report/preview.h"
#include "report/report.h"
#include "report/searchdlg.h"
#include "tests/report/fixture.h"
#include "tests/support/scripted.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>
#include <memory>

using report::TQRStandardPreview;

namespace {

QToolButton* button(QWidget* w, const char* name) {
    auto* b = w->findChild<QToolButton*>(QLatin1String(name));
    if (!b)
        qFatal("no button %s", name);
    return b;
}

QStringList listTexts(QListWidget* l) {
    QStringList out;
    for (int i = 0; i < l->count(); ++i) out << l->item(i)->text();
    return out;
}

/// Answers the next search dialog from inside its modal loop.
void answerSearch(const QString& text, bool matchCase, bool search = true) {
    QTimer::singleShot(0, [=] {
        auto* dlg = qobject_cast<report::TSearchDlg*>(QApplication::activeModalWidget());
        QVERIFY(dlg);
        dlg->edit()->setText(text);
        dlg->matchCaseBox()->setChecked(matchCase);
        (search ? dlg->searchButton() : dlg->cancelButton())->click();
    });
}

}  // namespace

class TestPreview : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void layoutTextsAndStartState();
    void pagingKeys_data();
    void pagingKeys();
    void pagingButtonsAndThumbnails();
    void gotoPage_data();
    void gotoPage();
    void searchWithAndWithoutHits();
    void searchCancelled();
    void exportButtons_data();
    void exportButtons();
    void saveReportOffersNativeFirst();
    void loadReport();
    void exportErrorIsShownAndLeavesNoFile();
    void emailAddressRememberedPerWindow();
    void progressDuringPreparation();
    void printsStoredPages();
    void emptyTitleAndEsc();
    void previewRunsSetUpFirstAndAfterPreviewLast();

private:
    report::PreparedReport pages(int records) {
        auto ds = fixture::people(records);
        report::Report r;
        fixture::buildReport(r, ds.get());
        return r.prepare();
    }
    QString path(const QString& name) const { return dir_->filePath(name); }

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<testsupport::ScriptedDialogs> dialogs_;
    std::unique_ptr<TQRStandardPreview> w_;
};

void TestPreview::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CACHE_HOME", dir_->filePath(QStringLiteral("cache")).toUtf8());
    dialogs_ = std::make_unique<testsupport::ScriptedDialogs>();
    w_ = std::make_unique<TQRStandardPreview>();
    w_->setPrepared(pages(100));  // 36, 36 and 28 records
    w_->show();
    QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
}

void TestPreview::cleanup() {
    w_.reset();
    dialogs_.reset();
    dir_.reset();
}

void TestPreview::layoutTextsAndStartState() {
    // the tool bar in its order with its hints; blank disabled buttons between the groups
    QStringList order, hints;
    for (QAction* a : w_->findChild<QToolBar*>()->actions()) {
        auto* b = qobject_cast<QToolButton*>(w_->findChild<QToolBar*>()->widgetForAction(a));
        if (b && b->isEnabled() && !b->objectName().isEmpty()) {
            order << b->objectName();
            hints << b->toolTip();
        }
    }
    QCOMPARE(order, QStringList({"ZoomFit",      "ZoomToWidth", "Zoom100",     "FirstPage",
                                 "PreviousPage", "ToolButton2", "LastPage",    "GotoPageButton",
                                 "FindButton",   "Print",       "ToolButton7", "ToolButton10",
                                 "ToolButton4",  "ToolButton5", "ToolButton6", "ToolButton3",
                                 "SaveReport",   "LoadReport",  "PrintSetup",  "ExitButton"}));
    QCOMPARE(hints.mid(0, 9),
             QStringList({"Tam Sayfa", "Enine Sığdır", "Gerçek boyut", "İlk Sayfa", "Önceki Sayfa",
                          "Sonraki Sayfa", "Son Sayfa", "Sayfa numarasına git", "Metin Arama"}));
    QCOMPARE(hints.mid(9),
             QStringList({"Yazdır", "e-mail gönder",
                          "Bu basımı HTML formatında internet için dosyaya kaydet",
                          "Bu basımı XLS formatında Excel için dosyaya kaydet",
                          "Bu basımı DOC formatında Word için dosyaya kaydet",
                          "Bu basımı CSV formatında diğer yazılımlar için dosyaya kaydet",
                          "Bu basımı PDF formatında Adobe için dosyaya kaydet", "Raporu Kaydet",
                          "Rapor Yükle", "Yazıcı Ayarı", "Önizlemeyi kapatır"}));
    QToolButton* exit = button(w_.get(), "ExitButton");
    QCOMPARE(exit->text(), QStringLiteral("Kapat"));
    QVERIFY(exit->font().bold());
    for (QToolButton* b : w_->findChildren<QToolButton*>())
        if (order.contains(b->objectName()) && b != exit)
            QCOMPARE(b->iconSize(), QSize(22, 22));

    // opened maximised at the page width, with exactly that zoom button pressed
    QVERIFY(w_->windowState() & Qt::WindowMaximized);
    QCOMPARE(w_->zoomMode(), TQRStandardPreview::Zoom::Width);
    QVERIFY(button(w_.get(), "ZoomToWidth")->isChecked());
    QVERIFY(!button(w_.get(), "ZoomFit")->isChecked());
    button(w_.get(), "ZoomFit")->click();
    QVERIFY(button(w_.get(), "ZoomFit")->isChecked());
    QVERIFY(!button(w_.get(), "ZoomToWidth")->isChecked());
    QVERIFY(w_->zoomFactor() < 1);
    button(w_.get(), "Zoom100")->click();
    QCOMPARE(w_->zoomFactor(), 1.0);
    QCOMPARE(int(button(w_.get(), "ZoomFit")->isChecked()) +
                 int(button(w_.get(), "ZoomToWidth")->isChecked()) +
                 int(button(w_.get(), "Zoom100")->isChecked()),
             1);

    QCOMPARE(w_->windowTitle(), QStringLiteral("Deneme Raporu"));
    auto* tabs = w_->findChild<QTabWidget*>(QStringLiteral("Tabs"));
    QCOMPARE(tabs->tabText(0), QStringLiteral("Sayfalar"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("Arama Sonuçları"));
    QCOMPARE(w_->findChild<QGroupBox*>()->title(), QStringLiteral("Aranan Metin"));
    QVERIFY(!w_->findChild<QListWidget*>(QStringLiteral("SearchResultBox"))->isEnabled());
    QCOMPARE(w_->findChild<QListWidget*>(QStringLiteral("ThumbGrid"))->count(), 3);
    QCOMPARE(w_->findChild<QLabel*>(QStringLiteral("Panel2"))->text(),
             QStringLiteral("Sayfa 1 / 3"));
    QCOMPARE(w_->findChild<QLabel*>(QStringLiteral("Panel3"))->text(),
             QStringLiteral("Deneme Raporu"));
    QCOMPARE(w_->findChild<QLabel*>(QStringLiteral("Panel1"))->width(), 40);
    QCOMPARE(w_->findChild<QLabel*>(QStringLiteral("Panel2"))->width(), 120);
    QVERIFY(w_->findChild<QStatusBar*>(QStringLiteral("StatusBar")));
}

void TestPreview::pagingKeys_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("expected");
    QTest::newRow("Page Down") << 1 << int(Qt::Key_PageDown) << 0 << 2;
    QTest::newRow("Page Down on the last page") << 3 << int(Qt::Key_PageDown) << 0 << 3;
    QTest::newRow("Page Up") << 3 << int(Qt::Key_PageUp) << 0 << 2;
    QTest::newRow("Page Up on page 1") << 1 << int(Qt::Key_PageUp) << 0 << 1;
    QTest::newRow("Ctrl+Page Down") << 1 << int(Qt::Key_PageDown) << int(Qt::ControlModifier) << 3;
    QTest::newRow("Ctrl+Page Up") << 3 << int(Qt::Key_PageUp) << int(Qt::ControlModifier) << 1;
    QTest::newRow("Shift+Page Down is a plain step")
        << 1 << int(Qt::Key_PageDown) << int(Qt::ShiftModifier) << 2;
    QTest::newRow("Home") << 3 << int(Qt::Key_Home) << 0 << 1;
    QTest::newRow("End") << 1 << int(Qt::Key_End) << 0 << 3;
}

void TestPreview::pagingKeys() {
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, expected);
    auto* thumbs = w_->findChild<QListWidget*>(QStringLiteral("ThumbGrid"));
    // the window sees the key first, also when a list has the focus
    for (QWidget* target : {static_cast<QWidget*>(w_.get()), static_cast<QWidget*>(thumbs)}) {
        w_->showPage(start);
        QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(w_->currentPage(), expected);
        QCOMPARE(thumbs->currentRow(), expected - 1);
        QCOMPARE(w_->findChild<QLabel*>(QStringLiteral("Panel2"))->text(),
                 QStringLiteral("Sayfa %1 / 3").arg(expected));
    }
}

void TestPreview::pagingButtonsAndThumbnails() {
    button(w_.get(), "LastPage")->click();
    QCOMPARE(w_->currentPage(), 3);
    button(w_.get(), "ToolButton2")->click();
    QCOMPARE(w_->currentPage(), 3);
    button(w_.get(), "PreviousPage")->click();
    QCOMPARE(w_->currentPage(), 2);
    button(w_.get(), "FirstPage")->click();
    QCOMPARE(w_->currentPage(), 1);
    button(w_.get(), "PreviousPage")->click();
    QCOMPARE(w_->currentPage(), 1);
    auto* thumbs = w_->findChild<QListWidget*>(QStringLiteral("ThumbGrid"));
    thumbs->setCurrentRow(1);  // choosing a thumbnail shows its page
    QCOMPARE(w_->currentPage(), 2);
    QSignalSpy spy(w_.get(), &TQRStandardPreview::pageChanged);
    w_->showPage(3);
    QCOMPARE(spy.count(), 1);  // selecting the thumbnail does not trigger the choice again
    w_->showPage(99);
    QCOMPARE(w_->currentPage(), 3);
}

void TestPreview::gotoPage_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<int>("expected");
    QTest::newRow("a page") << "3" << true << 3;
    QTest::newRow("zero") << "0" << true << 1;
    QTest::newRow("too large") << "4" << true << 1;
    QTest::newRow("letters only") << "abc" << true << 1;
    QTest::newRow("2 then letters") << "2abc" << true << 2;
    QTest::newRow("blank then 3") << " 3" << true << 3;
    QTest::newRow("negative") << "-2" << true << 1;
    QTest::newRow("empty") << "" << true << 1;
    QTest::newRow("huge") << "99999999999999999999" << true << 1;
    QTest::newRow("cancelled") << "3" << false << 2;
}

void TestPreview::gotoPage() {
    QFETCH(QString, answer);
    QFETCH(bool, confirm);
    QFETCH(int, expected);
    w_->showPage(2);
    if (confirm)
        dialogs_->texts << answer;
    button(w_.get(), "GotoPageButton")->click();
    QCOMPARE(dialogs_->textRequests.size(), 1);
    const dialogs::TextRequest& r = dialogs_->textRequests.first();
    QCOMPARE(r.caption, QStringLiteral("Sayfa numarası seçin 1 - 3"));
    QCOMPARE(r.prompt, QStringLiteral("Gidilecek Sayfa >>"));
    QCOMPARE(r.value, QStringLiteral("2"));
    QCOMPARE(w_->currentPage(), expected);
}

void TestPreview::searchWithAndWithoutHits() {
    auto* results = w_->findChild<QListWidget*>(QStringLiteral("SearchResultBox"));
    auto* label = w_->findChild<QLabel*>(QStringLiteral("SearchTextLabel"));
    // Turkish case rules: "KİŞİ" finds "Kişi" when case does not matter
    answerSearch(QStringLiteral("KİŞİ 04"), false);
    button(w_.get(), "FindButton")->click();
    QCOMPARE(listTexts(results), QStringList({QStringLiteral("Sayfa: 2")}));
    QVERIFY(results->isEnabled());
    QCOMPARE(label->text(), QStringLiteral("KİŞİ 04"));

    answerSearch(QStringLiteral("Müşteri"), true);
    button(w_.get(), "FindButton")->click();
    QCOMPARE(listTexts(results),
             QStringList({QStringLiteral("Sayfa: 1"), QStringLiteral("Sayfa: 2"),
                          QStringLiteral("Sayfa: 3")}));
    results->setCurrentRow(2);
    QTest::mouseClick(results->viewport(), Qt::LeftButton, {},
                      results->visualItemRect(results->item(2)).center());
    QCOMPARE(w_->currentPage(), 3);

    answerSearch(QStringLiteral("KİŞİ"), true);
    button(w_.get(), "FindButton")->click();
    QCOMPARE(listTexts(results), QStringList({QStringLiteral("Aranan metin yok")}));
    QVERIFY(!results->isEnabled());
    QCOMPARE(label->text(), QStringLiteral("KİŞİ"));
}

void TestPreview::searchCancelled() {
    auto* results = w_->findChild<QListWidget*>(QStringLiteral("SearchResultBox"));
    QTimer::singleShot(0, [] {
        auto* dlg = qobject_cast<report::TSearchDlg*>(QApplication::activeModalWidget());
        QVERIFY(dlg);
        QCOMPARE(dlg->windowTitle(), QStringLiteral("Önizleme : Metin Arama"));
        QCOMPARE(dlg->matchCaseBox()->text(), QStringLiteral("Büyüh/Küçük harf eşleştir"));
        QVERIFY(dlg->findChild<QLabel*>()->text() == QStringLiteral("Aranacak metin :"));
        QVERIFY(dlg->cancelButton()->x() < dlg->searchButton()->x());
        QCOMPARE(dlg->cancelButton()->text(), QStringLiteral("İptal"));
        QCOMPARE(dlg->searchButton()->text(), QStringLiteral("Ara"));
        dlg->edit()->setText(QStringLiteral("Kişi"));
        dlg->cancelButton()->click();
    });
    button(w_.get(), "FindButton")->click();
    QCOMPARE(results->count(), 0);
    QVERIFY(!results->isEnabled());
}

void TestPreview::exportButtons_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("ext");
    QTest::addColumn<QByteArray>("head");
    QTest::newRow("HTML") << "ToolButton10"
                          << "Raporu internet sayfası olarak kaydet"
                          << "İnternet Sayfası (*.HTM)|*.HTM"
                          << "HTM" << QByteArray("<!DOCTYPE html>");
    QTest::newRow("XLS") << "ToolButton4"
                         << "Raporu Excel sayfası olarak kaydet"
                         << "Excel Dosyası (*.XLS)|*.XLS"
                         << "XLS" << QByteArray("\xD0\xCF\x11\xE0", 4);
    QTest::newRow("DOC") << "ToolButton5"
                         << "Raporu Word sayfası olarak kaydet"
                         << "Word Dosyası (*.DOC)|*.DOC"
                         << "DOC" << QByteArray("{\\rtf1");
    QTest::newRow("CSV") << "ToolButton6"
                         << "Raporu başka programların kullanableceği şekilde kaydet"
                         << "Virgülle Ayrılmış Dosya (*.CSV)|*.CSV"
                         << "CSV" << QByteArray("\xEF\xBB\xBFMüşteri");
    QTest::newRow("PDF") << "ToolButton3"
                         << "Raporu Adobe Acrobat Reader için kaydet"
                         << "Adobe Acrobat Reader Dosyası (*.PDF)|*.PDF"
                         << "PDF" << QByteArray("%PDF-");
}

void TestPreview::exportButtons() {
    QFETCH(QString, name);
    QFETCH(QString, title);
    QFETCH(QString, filter);
    QFETCH(QString, ext);
    QFETCH(QByteArray, head);
    // first another export button, cancelled: the shared dialog starts as "Belge1"
    const char* other = name == QLatin1String("ToolButton3") ? "ToolButton10" : "ToolButton3";
    button(w_.get(), other)->click();
    QCOMPARE(dialogs_->fileRequests.last().fileName, QStringLiteral("Belge1"));
    QVERIFY(QDir(dir_->path()).entryList(QDir::Files).isEmpty());

    dialogs_->files << path(QStringLiteral("rapor"));  // without an extension
    button(w_.get(), name.toLatin1().constData())->click();
    const dialogs::FileRequest r = dialogs_->fileRequests.last();
    QCOMPARE(r.title, title);
    QCOMPARE(r.filter, filter);
    QCOMPARE(r.defaultExtension, ext);
    const QString written = path(QStringLiteral("rapor.") + ext);
    QFile f(written);
    QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(written));
    QVERIFY(f.readAll().startsWith(head));
    QVERIFY(dialogs_->messages.isEmpty());

    // the chosen name stays in the dialog for the next button
    button(w_.get(), other)->click();
    QCOMPARE(dialogs_->fileRequests.last().fileName, QStringLiteral("rapor.") + ext);
    QVERIFY(dialogs_->fileRequests.last().title != title);
}

void TestPreview::saveReportOffersNativeFirst() {
    dialogs_->files << path(QStringLiteral("kayit.QRP")) << path(QStringLiteral("kayit.pdf"))
                    << path(QStringLiteral("kayit"));
    button(w_.get(), "SaveReport")->click();
    const dialogs::FileRequest r = dialogs_->fileRequests.last();
    QCOMPARE(r.title, QStringLiteral("Raporu Kaydet"));
    QCOMPARE(r.defaultExtension, QStringLiteral("QRP"));
    QCOMPARE(r.filter,
             QStringLiteral("Rapor Dosyası (*.QRP)|*.QRP|İnternet Sayfası (*.HTM)|*.HTM|"
                            "Excel Dosyası (*.XLS)|*.XLS|Zengin Metin Dosyası (*.RTF)|*.RTF|"
                            "Virgülle Ayrılmış Dosya (*.CSV)|*.CSV|"
                            "Adobe Acrobat Reader Dosyası (*.PDF)|*.PDF"));
    QCOMPARE(report::loadNative(path(QStringLiteral("kayit.QRP"))).pageCount(), 3);
    button(w_.get(), "SaveReport")->click();
    QFile pdf(path(QStringLiteral("kayit.pdf")));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5) == "%PDF-");
    button(w_.get(), "SaveReport")->click();  // no extension: the report file
    QCOMPARE(report::loadNative(path(QStringLiteral("kayit.QRP"))).pageCount(), 3);
    QVERIFY(dialogs_->messages.isEmpty());
}

void TestPreview::loadReport() {
    report::saveNative(pages(40), path(QStringLiteral("iki.qrp")));
    dialogs_->files << path(QStringLiteral("yok.qrp"));
    button(w_.get(), "LoadReport")->click();
    QCOMPARE(dialogs_->fileRequests.last().title, QStringLiteral("Raporu Yükle"));
    QCOMPARE(dialogs_->fileRequests.last().filter, QStringLiteral("Rapor Dosyası (*.QRP)|*.QRP"));
    QCOMPARE(dialogs_->texts_shown(), QStringList({QStringLiteral("File does not exist")}));
    QCOMPARE(w_->pageCount(), 3);
    QVERIFY(!w_->loadedFromFile());

    w_->showPage(3);
    dialogs_->files << path(QStringLiteral("iki.qrp"));
    button(w_.get(), "LoadReport")->click();
    QCOMPARE(w_->pageCount(), 2);
    QCOMPARE(w_->currentPage(), 1);
    QVERIFY(w_->loadedFromFile());
    QCOMPARE(w_->windowTitle(), QFileInfo(path(QStringLiteral("iki.qrp"))).absoluteFilePath());
    QCOMPARE(w_->findChild<QLabel*>(QStringLiteral("Panel3"))->text(), w_->windowTitle());
    QCOMPARE(w_->findChild<QListWidget*>(QStringLiteral("ThumbGrid"))->currentRow(), 0);
    QVERIFY(button(w_.get(), "Print")->isEnabled());

    // a damaged file is refused with a message and the shown report stays
    QFile bad(path(QStringLiteral("bozuk.qrp")));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("TIZGEN-RAPOR\nxx");
    bad.close();
    dialogs_->files << bad.fileName();
    button(w_.get(), "LoadReport")->click();
    QCOMPARE(dialogs_->messages.size(), 2);
    QVERIFY(dialogs_->messages.last().text.contains(QStringLiteral("bozuk")));
    QCOMPARE(w_->pageCount(), 2);
}

void TestPreview::exportErrorIsShownAndLeavesNoFile() {
    dialogs_->files << path(QStringLiteral("yok/rapor.pdf"));
    button(w_.get(), "ToolButton3")->click();
    QCOMPARE(dialogs_->messages.size(), 1);
    QVERIFY(dialogs_->messages.first().text.contains(QStringLiteral("yazılamadı")));
    QCOMPARE(dialogs_->messages.first().icon, dialogs::Icon::Error);
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("yok"))));
}

void TestPreview::emailAddressRememberedPerWindow() {
    QStringList handed;
    w_->onEmail = [&](const QString& a, const QString& html, const QString& t) {
        handed << a << html << t;
    };
    QSignalSpy spy(w_.get(), &TQRStandardPreview::emailRequested);
    const QString scratch = TQRStandardPreview::scratchHtmlPath();
    QCOMPARE(scratch, dir_->filePath(QStringLiteral("cache/tizgen/Dosya.HTM")));

    button(w_.get(), "ToolButton7")->click();  // cancelled: nothing written, nothing sent
    QCOMPARE(dialogs_->textRequests.last().caption, QStringLiteral("Posta gönderilecek adres"));
    QCOMPARE(dialogs_->textRequests.last().prompt, QStringLiteral("e-Posta adresini yazınız"));
    QCOMPARE(dialogs_->textRequests.last().value, QString());
    QVERIFY(!QFile::exists(scratch));
    QCOMPARE(spy.count(), 0);

    dialogs_->texts << QStringLiteral("ayse@example.com");
    button(w_.get(), "ToolButton7")->click();
    QCOMPARE(handed, QStringList({QStringLiteral("ayse@example.com"), scratch,
                                  QStringLiteral("Deneme Raporu")}));
    QCOMPARE(spy.count(), 1);
    QFile f(scratch);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(f.readAll()).contains(QStringLiteral("Kişi 100")));

    button(w_.get(), "ToolButton7")->click();
    QCOMPARE(dialogs_->textRequests.last().value, QStringLiteral("ayse@example.com"));

    TQRStandardPreview other;
    other.setPrepared(pages(3));
    button(&other, "ToolButton7")->click();
    QCOMPARE(dialogs_->textRequests.last().value, QString());
}

void TestPreview::progressDuringPreparation() {
    auto ds = fixture::people(400);
    report::Report r;
    fixture::buildReport(r, ds.get());
    auto* panel = w_->findChild<QLabel*>(QStringLiteral("Panel1"));
    QStringList shown;
    r.onProgress = [&](int) {
        if (shown.isEmpty() || shown.last() != panel->text())
            shown << panel->text();
    };
    w_->prepare(r);
    QCOMPARE(shown.first(), QString());
    QCOMPARE(shown.last(), QString());
    int last = 0;
    for (const QString& s : shown.mid(1, shown.size() - 2)) {
        QVERIFY2(s.endsWith(QLatin1Char('%')), qPrintable(s));
        const int v = s.chopped(1).toInt();
        QVERIFY(v >= last + 5);
        last = v;
    }
    QVERIFY(shown.size() > 10);
    QCOMPARE(w_->pageCount(), 12);
    QCOMPARE(w_->findChild<QLabel*>(QStringLiteral("Panel2"))->text(),
             QStringLiteral("Sayfa 1 / 12"));
    QVERIFY(button(w_.get(), "Print")->isEnabled());
    QVERIFY(button(w_.get(), "PrintSetup")->isEnabled());
}

void TestPreview::printsStoredPages() {
    w_->printer().setOutputFormat(QPrinter::PdfFormat);
    w_->printer().setOutputFileName(path(QStringLiteral("basim.pdf")));
    button(w_.get(), "Print")->click();
    QVERIFY(dialogs_->messages.isEmpty());
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {path(QStringLiteral("basim.pdf"))});
    QVERIFY(p.waitForFinished());
    const QString info = QString::fromUtf8(p.readAllStandardOutput());
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n"))), qPrintable(info));
    QVERIFY(info.contains(QStringLiteral("(A4)")));
}

void TestPreview::emptyTitleAndEsc() {
    report::PreparedReport p = pages(1);
    p.title.clear();
    TQRStandardPreview w;
    w.setPrepared(p, false, false);
    QCOMPARE(w.windowTitle(), QStringLiteral("Print Preview"));
    QVERIFY(!w.findChild<QTabWidget*>(QStringLiteral("Tabs"))->isVisibleTo(&w));
    QVERIFY(!button(&w, "FindButton")->isVisibleTo(&w));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::keyClick(&w, Qt::Key_Escape);
    QVERIFY(!w.isVisible());
}

void TestPreview::previewRunsSetUpFirstAndAfterPreviewLast() {
    w_.reset();
    auto ds = fixture::people(5);
    report::Report r;
    fixture::buildReport(r, ds.get());
    QStringList steps;
    r.beforePrint = [&](report::Report&) { steps << QStringLiteral("set-up"); };
    r.afterPreview = [&](report::Report&) { steps << QStringLiteral("after"); };
    std::function<void()> closeWhenShown = [&] {
        auto* w = qobject_cast<TQRStandardPreview*>(QApplication::activeModalWidget());
        if (!w || w->pageCount() == 0) {
            QTimer::singleShot(10, closeWhenShown);
            return;
        }
        steps << w->windowTitle() << QString::number(w->pageCount());
        w->close();
    };
    QTimer::singleShot(0, closeWhenShown);
    TQRStandardPreview::preview(r);
    QCOMPARE(steps, QStringList({QStringLiteral("set-up"), QStringLiteral("Deneme Raporu"),
                                 QStringLiteral("1"), QStringLiteral("after")}));
    QVERIFY(bool(r.beforePrint));  // kept for the next printout

    // a set-up that fails opens no window and reaches the caller
    r.beforePrint = [](report::Report&) { throw std::runtime_error("Yanlış girdiniz!"); };
    steps.clear();
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, TQRStandardPreview::preview(r));
    QVERIFY(steps.isEmpty());
    for (QWidget* top : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<TQRStandardPreview*>(top));
}

QTEST_MAIN(TestPreview)
#include "test_preview.moc"
