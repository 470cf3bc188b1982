// Speed of the report engine on generated cards: preparing a three-column card report over the
// contact cursor, and writing it as PDF, against QPdfWriter painting the same texts directly.
#include "bench/gen.h"
#include "data/cursor.h"
#include "data/database.h"
#include "report/export.h"
#include "report/report.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <cstdio>

namespace {

void line(int k, const char* name, double v) {
    std::printf("report_%dk_%s: %.4g\n", k, name, v);
    std::fflush(stdout);
}

double ms(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / 1e6;
}

void buildReport(report::Report& r, data::DataSet* ds) {
    using report::Control;
    r.title = QStringLiteral("Adres Listesi");
    r.dataSet = ds;
    r.page.leftMm = r.page.rightMm = 8;
    r.page.topMm = r.page.bottomMm = 10;
    r.page.columns = 3;
    r.page.columnGapMm = 4;
    r.pageHeader.height = 36;
    Control title = Control::label(QStringLiteral("Baslik"), QRect(0, 0, 400, 22), r.title);
    title.fontSize = 14;
    title.bold = true;
    r.pageHeader.controls << title << Control::hline(QStringLiteral("Cizgi"), QRect(0, 28, 700, 1));
    r.detail.height = 64;
    Control name =
        Control::field(QStringLiteral("T1"), QRect(0, 2, 230, 16), QStringLiteral("Isim"));
    name.bold = true;
    Control firm =
        Control::field(QStringLiteral("T2"), QRect(0, 18, 230, 14), QStringLiteral("Firma"));
    firm.fontSize = 8;
    Control address =
        Control::field(QStringLiteral("T3"), QRect(0, 32, 230, 28), QStringLiteral("Adres"));
    address.fontSize = 8;
    address.wordWrap = true;
    Control phone =
        Control::field(QStringLiteral("T4"), QRect(130, 2, 100, 14), QStringLiteral("Telefon"));
    phone.fontSize = 8;
    phone.alignment = Qt::AlignRight;
    phone.autoStretch = true;
    r.detail.controls << name << firm << address << phone
                      << Control::hline(QStringLiteral("Alt"), QRect(0, 62, 230, 1));
}

// The limit: the same texts, lines and fonts painted straight onto a PDF writer.
void paintDirect(const report::PreparedReport& r, const QString& file) {
    QFile f(file);
    f.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&f);
    pdf.setResolution(96);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    QPainter p(&pdf);
    QVector<QFont> fonts;
    for (const report::FontSpec& s : r.fonts) fonts << s.font();
    for (int i = 0; i < r.pageCount(); ++i) {
        if (i)
            pdf.newPage();
        const report::Page& pg = r.pages[i];
        for (const report::LineShape& l : pg.lines) p.drawLine(l.line);
        for (const report::TextRun& t : pg.texts) {
            p.setFont(fonts[t.font]);
            p.drawText(QPointF(t.x, t.baseline), t.text);
        }
    }
    p.end();
}

template <typename F>
double best(int times, F f) {
    double b = 1e18;
    for (int i = 0; i < times; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        b = std::min(b, ms(t));
    }
    return b;
}

void run(int n) {
    const int k = n / 1000;
    QTemporaryDir dir;
    data::Database db(dir.path());
    bench::generateCards(db, n);
    data::Cursor c(db, QStringLiteral("Mustfirmadata"));
    c.open();
    c.setIndexName(QStringLiteral("IndIsim"));
    c.setFilter(QStringLiteral("MF<>'K' And MF<>'E' And MF<>'Y' And MF<>'H'"));

    report::Report r;
    buildReport(r, &c);
    report::PreparedReport prepared;
    const double prepareMs = best(3, [&] { prepared = r.prepare(); });
    line(k, "pages", prepared.pageCount());
    line(k, "prepare_ms", prepareMs);
    line(k, "prepare_pages_per_s", prepared.pageCount() / (prepareMs / 1000.0));

    const QString pdf = dir.filePath(QStringLiteral("rapor.pdf"));
    const QString direct = dir.filePath(QStringLiteral("direct.pdf"));
    // interleaved, best of three each, so that both see the same machine
    double pdfMs = 1e18, directMs = 1e18;
    for (int i = 0; i < 3; ++i) {
        pdfMs = std::min(pdfMs, best(1, [&] { report::exportPdf(prepared, pdf); }));
        directMs = std::min(directMs, best(1, [&] { paintDirect(prepared, direct); }));
    }
    line(k, "pdf_ms", pdfMs);
    line(k, "pdf_ms_per_page", pdfMs / prepared.pageCount());
    line(k, "qpdfwriter_ms", directMs);
    line(k, "pdf_vs_qpdfwriter", pdfMs / directMs);
    line(k, "pdf_kb", QFileInfo(pdf).size() / 1024.0);
    // TIZGEN_BENCH_KEEP names a folder that keeps the PDF for a look at it
    if (qEnvironmentVariableIsSet("TIZGEN_BENCH_KEEP"))
        QFile::copy(pdf, qEnvironmentVariable("TIZGEN_BENCH_KEEP") +
                             QStringLiteral("/report_%1k.pdf").arg(k));
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QList<int> sizes = {1000, 10000};
    if (argc > 1) {
        sizes.clear();
        // the engine is measured up to 10k cards; larger sizes of the common run are left out
        for (int i = 1; i < argc; ++i)
            if (QString::fromLatin1(argv[i]).toInt() <= 10)
                sizes << QString::fromLatin1(argv[i]).toInt() * 1000;
    }
    for (int n : sizes) run(n);
    return 0;
}
