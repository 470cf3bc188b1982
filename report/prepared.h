#pragma once

#include <QColor>
#include <QFont>
#include <QLineF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QVector>

class QPainter;
class QPagedPaintDevice;
class QImage;

namespace report {

/// Report pixels: 96 per inch.
constexpr double kPixelsPerInch = 96.0;
inline double mmToPx(double mm) {
    return mm * kPixelsPerInch / 25.4;
}
inline double pxToMm(double px) {
    return px * 25.4 / kPixelsPerInch;
}

/// A font of the prepared pages: family (already mapped), size in points, weight and slant.
struct FontSpec {
    QString family;
    double pointSize = 10;
    bool bold = false;
    bool italic = false;
    bool operator==(const FontSpec& o) const {
        return family == o.family && pointSize == o.pointSize && bold == o.bold &&
               italic == o.italic;
    }
    QFont font() const;
};

/// One line of text placed on a page. `box` is the line's box in page pixels (its top is the
/// line's top, its height the line height); the text starts at `x` with its baseline at
/// `baseline` and is `width` wide. Text wider than the box is clipped to it.
struct TextRun {
    QRectF box;
    double x = 0;
    double baseline = 0;
    double width = 0;
    QString text;
    int font = 0;  ///< index into PreparedReport::fonts
    QColor color = Qt::black;
    /// The run belongs to a data field (a record's value), not to a fixed text.
    bool field = false;
};

struct LineShape {
    QLineF line;
    double width = 1;
    QColor color = Qt::black;
};

struct RectShape {
    QRectF rect;
    double penWidth = 1;
    QColor pen = Qt::black;   ///< invalid: no frame
    QColor brush = QColor();  ///< invalid: not filled
};

struct Page {
    QVector<RectShape> rects;
    QVector<LineShape> lines;
    QVector<TextRun> texts;
};

/// The runs of a page grouped into printed lines: runs whose tops lie within a small distance
/// form one line, ordered left to right; lines are ordered top to bottom.
QVector<QVector<const TextRun*>> printedLines(const Page& page);

/// The pages a report prepared: what previews, prints, searches and exports use.
class PreparedReport {
public:
    QString title;
    QSizeF paperMm{210, 297};
    QVector<FontSpec> fonts;
    QVector<Page> pages;

    int pageCount() const { return pages.size(); }
    QSizeF pagePx() const { return {mmToPx(paperMm.width()), mmToPx(paperMm.height())}; }
    /// Index of a font in `fonts`, added when new.
    int fontIndex(const FontSpec& f);

    /// The text of a page (1-based): its printed lines, the runs of a line separated by a
    /// blank, lines by '\n'.
    QString pageText(int page) const;
    /// True when the page's text contains `what` (Turkish case rules when not case-sensitive).
    bool pageContains(int page, const QString& what, bool caseSensitive) const;

    /// Paints a page (1-based) with the painter's transform mapping page pixels to the device.
    void paintPage(QPainter& p, int page) const;
    /// The page as a picture, `scale` device pixels per page pixel, white background.
    QImage pageImage(int page, double scale = 1.0) const;
    /// Paints pages `from` to `to` (1-based, inclusive) on a paged device (a PDF writer or a
    /// printer), one device page each; the device's page size is set by the caller.
    void paintPages(QPagedPaintDevice& device, int from = 1, int to = -1) const;

private:
    mutable QVector<QString> textCache_;
};

}  // namespace report
