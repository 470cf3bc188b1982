#pragma once

#include <QPointer>
#include <QWidget>

namespace controls {

class TmyCustomDbGrid;

/// A caption strip above a record grid: one framed cell per shown column of the grid with the
/// column's title, lined up with the columns; without a grid it shows its own name.
class TGridCapTions : public QWidget {
    Q_OBJECT
public:
    enum class CapShape {
        CsBox,
        CsFrame,
        CsTopLine,
        CsBottomLine,
        CsLeftLine,
        CsRightLine,
        CsSpacer
    };
    enum class CapStyle { CSLowered, CSRaised };

    explicit TGridCapTions(QWidget* parent = nullptr);

    CapShape shape() const { return shape_; }
    void setShape(CapShape s);
    CapStyle style() const { return style_; }
    void setStyle(CapStyle s);
    TmyCustomDbGrid* grid() const { return grid_; }
    /// Sets the grid and lines the strip up with it (its title font, left edge and width; the
    /// strip's bottom one pixel into the grid's top edge).
    void setGrid(TmyCustomDbGrid* grid);
    bool active() const { return active_; }
    void setActive(bool on);

    /// The cells the strip draws, in its own coordinates, with their captions.
    struct Cell {
        QRect rect;
        QString caption;
    };
    QList<Cell> cells() const;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void align();
    void drawLines(QPainter& p, const QRect& r, bool closing) const;

    CapShape shape_ = CapShape::CsFrame;
    CapStyle style_ = CapStyle::CSLowered;
    QPointer<TmyCustomDbGrid> grid_;
    bool active_ = false;
};

}  // namespace controls
