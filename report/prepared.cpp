#include "report/prepared.h"

#include "report/fonts.h"

#include <QHash>
#include <QImage>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace report {

QFont FontSpec::font() const {
    return reportFont(family, pointSize, bold, italic);
}

int PreparedReport::fontIndex(const FontSpec& f) {
    for (int i = 0; i < fonts.size(); ++i)
        if (fonts[i] == f)
            return i;
    fonts.push_back(f);
    return fonts.size() - 1;
}

QVector<QVector<const TextRun*>> printedLines(const Page& page) {
    // Runs whose tops differ by less than this many pixels stand on one printed line.
    constexpr double kTolerance = 2.0;
    QVector<const TextRun*> runs;
    runs.reserve(page.texts.size());
    for (const TextRun& t : page.texts) runs.push_back(&t);
    std::stable_sort(runs.begin(), runs.end(), [](const TextRun* a, const TextRun* b) {
        return a->box.top() < b->box.top();
    });
    QVector<QVector<const TextRun*>> lines;
    double lineTop = 0;
    for (const TextRun* r : runs) {
        if (lines.isEmpty() || r->box.top() - lineTop >= kTolerance) {
            lines.push_back({});
            lineTop = r->box.top();
        }
        lines.last().push_back(r);
    }
    for (auto& l : lines)
        std::stable_sort(l.begin(), l.end(),
                         [](const TextRun* a, const TextRun* b) { return a->x < b->x; });
    return lines;
}

QString PreparedReport::pageText(int page) const {
    if (page < 1 || page > pages.size())
        return {};
    if (textCache_.size() != pages.size())
        textCache_ = QVector<QString>(pages.size());
    QString& cached = textCache_[page - 1];
    if (cached.isNull()) {
        QStringList out;
        for (const auto& line : printedLines(pages[page - 1])) {
            QStringList cells;
            for (const TextRun* r : line) cells << r->text;
            out << cells.join(QLatin1Char(' '));
        }
        cached = out.join(QLatin1Char('\n'));
        if (cached.isNull())
            cached = QLatin1String("");
    }
    return cached;
}

bool PreparedReport::pageContains(int page, const QString& what, bool caseSensitive) const {
    if (what.isEmpty())
        return false;
    const QString text = pageText(page);
    if (caseSensitive)
        return text.contains(what);
    static const QLocale tr(QLocale::Turkish, QLocale::Turkey);
    return tr.toLower(text).contains(tr.toLower(what));
}

void PreparedReport::paintPage(QPainter& p, int page) const {
    if (page < 1 || page > pages.size())
        return;
    const Page& pg = pages[page - 1];
    p.save();
    // shapes stand on whole report pixels: drawn crisp, without smoothing
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    // Fonts are given in points at 96 pixels per inch; the painter's transform does the rest.
    const double dpi = p.device() ? p.device()->logicalDpiY() : kPixelsPerInch;
    const double fontScale = kPixelsPerInch / (dpi > 0 ? dpi : kPixelsPerInch);
    QVector<QFont> qfonts;
    qfonts.reserve(fonts.size());
    for (const FontSpec& f : fonts) {
        FontSpec scaled = f;
        scaled.pointSize = f.pointSize * fontScale;
        qfonts.push_back(scaled.font());
    }
    for (const RectShape& r : pg.rects) {
        if (r.pen.isValid()) {
            QPen pen(r.pen, r.penWidth);
            pen.setJoinStyle(Qt::MiterJoin);
            p.setPen(pen);
        } else {
            p.setPen(Qt::NoPen);
        }
        p.setBrush(r.brush.isValid() ? QBrush(r.brush) : QBrush(Qt::NoBrush));
        p.drawRect(r.rect);
    }
    p.setBrush(Qt::NoBrush);
    for (const LineShape& l : pg.lines) {
        p.setPen(QPen(l.color, l.width, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(l.line);
    }
    int current = -1;
    QColor color;
    for (const TextRun& t : pg.texts) {
        if (t.font != current && t.font >= 0 && t.font < qfonts.size()) {
            current = t.font;
            p.setFont(qfonts[current]);
        }
        if (t.color != color || p.pen().style() == Qt::NoPen) {
            color = t.color;
            p.setPen(QPen(color));
        }
        const bool clip = t.width > t.box.width() + 0.5;
        if (clip) {
            p.save();
            p.setClipRect(t.box, Qt::IntersectClip);
        }
        p.drawText(QPointF(t.x, t.baseline), t.text);
        if (clip)
            p.restore();
    }
    p.restore();
}

QImage PreparedReport::pageImage(int page, double scale) const {
    const QSizeF px = pagePx() * scale;
    QImage img(std::max(1, int(std::ceil(px.width()))), std::max(1, int(std::ceil(px.height()))),
               QImage::Format_RGB32);
    const int dpm = int(std::lround(kPixelsPerInch / 0.0254));
    img.setDotsPerMeterX(dpm);
    img.setDotsPerMeterY(dpm);
    img.fill(Qt::white);
    QPainter p(&img);
    p.scale(scale, scale);
    paintPage(p, page);
    return img;
}

void PreparedReport::paintPages(QPagedPaintDevice& device, int from, int to) const {
    if (to < 0 || to > pages.size())
        to = pages.size();
    from = std::max(1, from);
    QPainter p(&device);
    const double sx = device.logicalDpiX() / kPixelsPerInch;
    const double sy = device.logicalDpiY() / kPixelsPerInch;
    for (int i = from; i <= to; ++i) {
        if (i > from)
            device.newPage();
        p.resetTransform();
        p.scale(sx, sy);
        paintPage(p, i);
    }
    p.end();
}

}  // namespace report
