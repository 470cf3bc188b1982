#pragma once

#include "report/prepared.h"

#include <QColor>
#include <QRect>
#include <QString>
#include <QVariant>
#include <QVector>
#include <functional>

namespace data {
class DataSet;
}

namespace report {

enum class ControlKind {
    Label,  ///< a fixed text
    Field,  ///< the text of a data field of the current record (or of `onPrint`)
    Rect,   ///< a rectangle (a frame, optionally filled)
    HLine,  ///< a horizontal rule across the control's width, at its top
};

/// A control of a band, positioned in report pixels relative to the band's top-left corner.
struct Control {
    ControlKind kind = ControlKind::Label;
    QString name;
    QRect geometry;  ///< left, top, width, height in report pixels
    bool enabled = true;
    QString caption;    ///< Label: the text
    QString fieldName;  ///< Field: the data field printed
    /// Field (and Label): replaces the text before it prints; gets the data set (or nullptr in
    /// a band without a record) and the text it would print.
    std::function<void(data::DataSet*, QString&)> onPrint;
    QString fontFamily = QStringLiteral("Arial");
    double fontSize = 10;
    bool bold = false;
    bool italic = false;
    QColor color = Qt::black;
    QColor background;  ///< invalid: transparent
    Qt::Alignment alignment = Qt::AlignLeft;
    bool wordWrap = false;  ///< break lines at the control's width
    /// Grows downward to show every line (one line per line of a memo); otherwise lines past
    /// the control's height are not printed.
    bool autoStretch = false;
    /// Label: the width follows the text (a heading that sizes itself).
    bool autoSize = false;
    QColor pen = Qt::black;  ///< Rect and HLine: invalid for no frame
    double penWidth = 1;

    static Control label(const QString& name, const QRect& g, const QString& caption);
    static Control field(const QString& name, const QRect& g, const QString& fieldName);
    static Control rect(const QString& name, const QRect& g);
    static Control hline(const QString& name, const QRect& g);
};

struct Band {
    bool enabled = true;
    int height = 0;  ///< report pixels; the band grows with its growing fields
    QVector<Control> controls;
    /// Runs before the band prints; returning false leaves the band (the record) out.
    std::function<bool(data::DataSet*)> beforePrint;

    Control* control(const QString& name);
};

/// Page measures in millimetres.
struct PageSetup {
    QSizeF paperMm{210, 297};  ///< A4 portrait
    double leftMm = 0, topMm = 0, rightMm = 0, bottomMm = 0;
    int columns = 1;
    /// Width of one column; 0 divides the width between the margins among the columns.
    double columnWidthMm = 0;
    double columnGapMm = 0;

    static PageSetup a4() { return {}; }
    static PageSetup custom(double widthMm, double heightMm) {
        PageSetup p;
        p.paperMm = {widthMm, heightMm};
        return p;
    }
};

/// A banded report: a page header printed on every page and a detail band printed once for
/// every record of a data set, in its filter and order as set, over one or more columns that
/// are filled column by column.
class Report {
public:
    QString title;
    PageSetup page;
    Band pageHeader;
    Band detail;
    data::DataSet* dataSet = nullptr;  ///< not owned; nullptr prints the header only
    /// Runs before the pages are prepared (the place to lay out controls from settings).
    std::function<void(Report&)> beforePrint;
    /// Runs after the preview window of the report has closed.
    std::function<void(Report&)> afterPreview;
    /// The preview shows page thumbnails / offers the text search.
    bool showThumbnails = true;
    bool textSearch = true;

    /// Progress of preparation, 0 to 100.
    std::function<void(int)> onProgress;
    /// A page was completed (its 1-based number).
    std::function<void(int)> onPage;

    /// Runs the report over its data set (from its first record; the current record is left
    /// at the end) and returns the prepared pages. Throws what the data set or a hook throws.
    PreparedReport prepare();
};

/// The height in report pixels of one line of text in a font: the height a self-sizing
/// heading takes, and the step by which a growing field grows.
double lineHeightPx(const QString& family, double pointSize, bool bold = false,
                    bool italic = false);

/// The text a data value prints as: dates as dd.MM.yyyy, whole numbers without a decimal
/// part, other numbers with a decimal comma, booleans as "True"/"False", null as empty.
QString displayText(const QVariant& v);

}  // namespace report
