#include "report/report.h"

#include "data/dataset.h"
#include "report/fonts.h"

#include <QDate>
#include <QDateTime>
#include <QFontMetricsF>
#include <QImage>
#include <QLocale>
#include <cmath>
#include <memory>

namespace report {

namespace {
Control makeControl(ControlKind kind, const QString& name, const QRect& g) {
    Control c;
    c.kind = kind;
    c.name = name;
    c.geometry = g;
    return c;
}
}  // namespace

Control Control::label(const QString& name, const QRect& g, const QString& caption) {
    Control c = makeControl(ControlKind::Label, name, g);
    c.caption = caption;
    return c;
}

Control Control::field(const QString& name, const QRect& g, const QString& fieldName) {
    Control c = makeControl(ControlKind::Field, name, g);
    c.fieldName = fieldName;
    return c;
}

Control Control::rect(const QString& name, const QRect& g) {
    return makeControl(ControlKind::Rect, name, g);
}

Control Control::hline(const QString& name, const QRect& g) {
    return makeControl(ControlKind::HLine, name, g);
}

Control* Band::control(const QString& name) {
    for (Control& c : controls)
        if (c.name.compare(name, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

QString displayText(const QVariant& v) {
    if (v.isNull() || !v.isValid())
        return {};
    switch (v.typeId()) {
        case QMetaType::QDate:
            return v.toDate().toString(QStringLiteral("dd.MM.yyyy"));
        case QMetaType::QDateTime:
            return v.toDateTime().toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"));
        case QMetaType::Bool:
            return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
        case QMetaType::Double:
        case QMetaType::Float: {
            const double d = v.toDouble();
            if (std::floor(d) == d && std::fabs(d) < 1e15)
                return QString::number(qint64(d));
            QString s = QString::number(d, 'g', 15);
            s.replace(QLatin1Char('.'), QLatin1Char(','));
            return s;
        }
        default:
            return v.toString();
    }
}

static QImage metricsDevice() {
    QImage device(1, 1, QImage::Format_RGB32);
    const int dpm = int(std::lround(kPixelsPerInch / 0.0254));
    device.setDotsPerMeterX(dpm);
    device.setDotsPerMeterY(dpm);
    return device;
}

double lineHeightPx(const QString& family, double pointSize, bool bold, bool italic) {
    static const QImage device = metricsDevice();
    return QFontMetricsF(
               FontSpec{mapFontFamily(family), pointSize > 0 ? pointSize : 10, bold, italic}.font(),
               &device)
        .height();
}

namespace {

constexpr double kEps = 0.01;

/// A band laid out at the origin, ready to be placed on a page.
struct LaidBand {
    double height = 0;
    QVector<RectShape> rects;
    QVector<LineShape> lines;
    QVector<TextRun> texts;
};

struct FontMetrics {
    std::unique_ptr<QFontMetricsF> fm;
    double ascent = 0;
    double lineHeight = 0;
};

class Engine {
public:
    explicit Engine(Report& r) : r_(r), device_(metricsDevice()) {}

    PreparedReport run();

private:
    struct BandCache {
        QVector<int> fieldIndex;  // per control: data field index or -1
        QVector<int> font;        // per control: index into out_.fonts
    };

    const FontMetrics& metrics(int font);
    void prepareBand(const Band& b, BandCache& cache);
    void layoutBand(const Band& b, const BandCache& cache, data::DataSet* ds, LaidBand& out);
    void layoutText(const Control& c, int font, const QString& text, bool isField, LaidBand& out,
                    double& bottom);
    void place(const LaidBand& lb, double x, double y);
    void startPage();
    void finishPage();

    Report& r_;
    PreparedReport out_;
    QImage device_;
    std::vector<FontMetrics> metrics_;
    BandCache headerCache_, detailCache_;
    LaidBand headerLaid_, detailLaid_;
    Page* page_ = nullptr;
};

const FontMetrics& Engine::metrics(int font) {
    if (font >= int(metrics_.size()))
        metrics_.resize(size_t(font) + 1);
    FontMetrics& m = metrics_[size_t(font)];
    if (!m.fm) {
        m.fm = std::make_unique<QFontMetricsF>(out_.fonts[font].font(), &device_);
        m.ascent = m.fm->ascent();
        m.lineHeight = m.fm->height();
    }
    return m;
}

void Engine::prepareBand(const Band& b, BandCache& cache) {
    cache.fieldIndex.clear();
    cache.font.clear();
    for (const Control& c : b.controls) {
        int idx = -1;
        if (c.kind == ControlKind::Field && r_.dataSet)
            idx = r_.dataSet->fieldIndex(c.fieldName);
        cache.fieldIndex.push_back(idx);
        FontSpec f{mapFontFamily(c.fontFamily), c.fontSize > 0 ? c.fontSize : 10, c.bold, c.italic};
        cache.font.push_back(out_.fontIndex(f));
    }
}

// Splits one paragraph into lines no wider than `width`, breaking at blanks and, for a word
// that is wider than the line, inside the word.
static void wrapParagraph(const QString& para, double width, const QFontMetricsF& fm,
                          QStringList& lines) {
    if (fm.horizontalAdvance(para) <= width + kEps) {
        lines << para;
        return;
    }
    QString line;
    int i = 0;
    const int n = para.size();
    while (i < n) {
        // the next word with the blanks before it
        int j = i;
        while (j < n && para[j] == QLatin1Char(' ')) ++j;
        while (j < n && para[j] != QLatin1Char(' ')) ++j;
        const QString piece = para.mid(i, j - i);
        const QString candidate = line + piece;
        if (fm.horizontalAdvance(candidate) <= width + kEps) {
            line = candidate;
            i = j;
            continue;
        }
        if (!line.isEmpty()) {
            lines << line;
            line.clear();
            // blanks at a break are dropped
            while (i < n && para[i] == QLatin1Char(' ')) ++i;
            continue;
        }
        // a single word wider than the line: as many letters as fit, at least one
        QString word = piece.trimmed();
        i += piece.size() - piece.trimmed().size();
        int k = 1;
        while (k < word.size() && fm.horizontalAdvance(word.left(k + 1)) <= width + kEps) ++k;
        lines << word.left(k);
        i += k;
    }
    if (!line.isEmpty())
        lines << line;
}

void Engine::layoutText(const Control& c, int font, const QString& text, bool isField,
                        LaidBand& out, double& bottom) {
    const QRect& g = c.geometry;
    if (g.width() <= 0 && !c.autoSize)
        return;
    if (g.height() <= 0 && !c.autoStretch)
        return;
    const FontMetrics& m = metrics(font);
    QStringList lines;
    QString t = text;
    t.remove(QLatin1Char('\r'));
    const QStringList paras = t.split(QLatin1Char('\n'));
    for (const QString& p : paras) {
        if (c.wordWrap && !c.autoSize)
            wrapParagraph(p, g.width(), *m.fm, lines);
        else
            lines << p;
    }
    // a memo that ends with a line break does not print an empty last line
    while (lines.size() > 1 && lines.last().isEmpty()) lines.removeLast();
    int count = lines.size();
    if (!c.autoStretch) {
        const int fit = std::max(1, int(std::floor(g.height() / m.lineHeight + kEps)));
        count = std::min(count, fit);
    }
    double maxWidth = 0;
    const int first = out.texts.size();
    for (int i = 0; i < count; ++i) {
        const QString& s = lines[i];
        const double top = g.top() + i * m.lineHeight;
        if (s.isEmpty())
            continue;
        TextRun run;
        run.text = s;
        run.font = font;
        run.color = c.color;
        run.field = isField;
        run.width = m.fm->horizontalAdvance(s);
        maxWidth = std::max(maxWidth, run.width);
        run.box = QRectF(g.left(), top, g.width(), m.lineHeight);
        run.baseline = top + m.ascent;
        if (c.alignment & Qt::AlignRight)
            run.x = g.left() + g.width() - run.width;
        else if (c.alignment & Qt::AlignHCenter)
            run.x = g.left() + (g.width() - run.width) / 2;
        else
            run.x = g.left();
        out.texts.push_back(run);
    }
    if (c.autoSize) {
        for (int i = first; i < out.texts.size(); ++i) {
            out.texts[i].box.setWidth(maxWidth);
            out.texts[i].x = g.left();
        }
    }
    const double textBottom = g.top() + count * m.lineHeight;
    bottom =
        c.autoStretch ? std::max<double>(g.top() + g.height(), textBottom) : g.top() + g.height();
}

void Engine::layoutBand(const Band& b, const BandCache& cache, data::DataSet* ds, LaidBand& out) {
    out.rects.clear();
    out.lines.clear();
    out.texts.clear();
    double height = b.height;
    for (int i = 0; i < b.controls.size(); ++i) {
        const Control& c = b.controls[i];
        if (!c.enabled)
            continue;
        switch (c.kind) {
            case ControlKind::Rect: {
                if (c.geometry.width() <= 0 || c.geometry.height() <= 0)
                    break;
                RectShape s;
                s.rect = QRectF(c.geometry);
                s.pen = c.pen;
                s.penWidth = c.penWidth;
                s.brush = c.background;
                out.rects.push_back(s);
                break;
            }
            case ControlKind::HLine: {
                if (c.geometry.width() <= 0)
                    break;
                LineShape l;
                const double y = c.geometry.top();
                l.line = QLineF(c.geometry.left(), y, c.geometry.left() + c.geometry.width(), y);
                l.width = c.penWidth;
                l.color = c.pen.isValid() ? c.pen : QColor(Qt::black);
                out.lines.push_back(l);
                break;
            }
            case ControlKind::Label:
            case ControlKind::Field: {
                QString text;
                const bool isField = c.kind == ControlKind::Field;
                if (isField) {
                    const int idx = cache.fieldIndex[i];
                    if (ds && idx >= 0)
                        text = displayText(ds->value(idx));
                } else {
                    text = c.caption;
                }
                if (c.onPrint)
                    c.onPrint(ds, text);
                const int bgIndex = out.rects.size();
                double bottom = c.geometry.top() + c.geometry.height();
                layoutText(c, cache.font[i], text, isField, out, bottom);
                if (c.background.isValid() && c.geometry.width() > 0 && bottom > c.geometry.top()) {
                    RectShape s;
                    s.rect = QRectF(c.geometry.left(), c.geometry.top(), c.geometry.width(),
                                    bottom - c.geometry.top());
                    s.pen = QColor();
                    s.brush = c.background;
                    out.rects.insert(bgIndex, s);
                }
                height = std::max(height, bottom);
                break;
            }
        }
    }
    out.height = height;
}

void Engine::place(const LaidBand& lb, double x, double y) {
    for (RectShape s : lb.rects) {
        s.rect.translate(x, y);
        page_->rects.push_back(s);
    }
    for (LineShape l : lb.lines) {
        l.line.translate(x, y);
        page_->lines.push_back(l);
    }
    for (TextRun t : lb.texts) {
        t.box.translate(x, y);
        t.x += x;
        t.baseline += y;
        page_->texts.push_back(t);
    }
}

void Engine::finishPage() {
    if (page_ && r_.onPage)
        r_.onPage(out_.pages.size());
}

void Engine::startPage() {
    finishPage();
    out_.pages.push_back(Page());
    page_ = &out_.pages.last();
}

PreparedReport Engine::run() {
    if (r_.beforePrint)
        r_.beforePrint(r_);
    out_.title = r_.title;
    out_.paperMm = r_.page.paperMm;
    data::DataSet* ds = r_.dataSet;
    if (ds && !ds->isOpen())
        ds->open();

    prepareBand(r_.pageHeader, headerCache_);
    prepareBand(r_.detail, detailCache_);

    const PageSetup& ps = r_.page;
    const double left = mmToPx(ps.leftMm);
    const double top = mmToPx(ps.topMm);
    const double limit = mmToPx(ps.paperMm.height() - ps.bottomMm);
    const int columns = std::max(1, ps.columns);
    const double gap = mmToPx(ps.columnGapMm);
    double colWidth = mmToPx(ps.columnWidthMm);
    if (ps.columnWidthMm <= 0)
        colWidth =
            (mmToPx(ps.paperMm.width() - ps.leftMm - ps.rightMm) - gap * (columns - 1)) / columns;

    double yStart = top;
    auto newPage = [&]() {
        startPage();
        yStart = top;
        if (r_.pageHeader.enabled) {
            layoutBand(r_.pageHeader, headerCache_, nullptr, headerLaid_);
            place(headerLaid_, left, top);
            yStart = top + headerLaid_.height;
        }
    };

    if (r_.onProgress)
        r_.onProgress(0);
    newPage();
    double y = yStart;
    int column = 0;
    if (ds && r_.detail.enabled) {
        const int total = ds->recordCount();
        int done = 0, lastShown = 0;
        for (ds->first(); !ds->eof(); ds->next()) {
            ++done;
            if (r_.onProgress && total > 0) {
                const int p = int(qint64(done) * 100 / total);
                if (p != lastShown && p < 100) {
                    lastShown = p;
                    r_.onProgress(p);
                }
            }
            if (r_.detail.beforePrint && !r_.detail.beforePrint(ds))
                continue;
            layoutBand(r_.detail, detailCache_, ds, detailLaid_);
            if (y + detailLaid_.height > limit + kEps && y > yStart + kEps) {
                if (++column >= columns) {
                    newPage();
                    column = 0;
                }
                y = yStart;
            }
            place(detailLaid_, left + column * (colWidth + gap), y);
            y += detailLaid_.height;
        }
    }
    finishPage();
    if (r_.onProgress)
        r_.onProgress(100);
    return std::move(out_);
}

}  // namespace

PreparedReport Report::prepare() {
    Engine e(*this);
    return e.run();
}

}  // namespace report
