#include "controls/gridcaptions.h"

#include "controls/dbgrid.h"

#include <QHeaderView>
#include <QPainter>

namespace controls {

TGridCapTions::TGridCapTions(QWidget* parent) : QWidget(parent) {
    resize(65, 20);
}

void TGridCapTions::setShape(CapShape s) {
    shape_ = s;
    update();
}

void TGridCapTions::setStyle(CapStyle s) {
    style_ = s;
    update();
}

void TGridCapTions::setActive(bool on) {
    active_ = on;
    if (grid_)
        align();
}

void TGridCapTions::setGrid(TmyCustomDbGrid* g) {
    if (g == grid_)
        return;
    if (grid_)
        disconnect(grid_, nullptr, this, nullptr);
    if (grid_)
        disconnect(grid_->horizontalHeader(), nullptr, this, nullptr);
    grid_ = g;
    if (g) {
        connect(g, &QObject::destroyed, this, [this] {
            grid_ = nullptr;
            update();
        });
        QHeaderView* h = g->horizontalHeader();
        connect(h, &QHeaderView::sectionResized, this, [this] { update(); });
        connect(h, &QHeaderView::sectionMoved, this, [this] { update(); });
        connect(h, &QHeaderView::sectionCountChanged, this, [this] { update(); });
        align();
    }
    update();
}

void TGridCapTions::align() {
    if (!grid_)
        return;
    setFont(grid_->horizontalHeader()->font());
    QPoint topLeft = grid_->pos();
    if (parentWidget() && grid_->parentWidget() != parentWidget())
        topLeft = parentWidget()->mapFromGlobal(grid_->mapToGlobal(QPoint(0, 0)));
    setGeometry(topLeft.x(), topLeft.y() - height() + 1, grid_->width(), height());
}

QList<TGridCapTions::Cell> TGridCapTions::cells() const {
    QList<Cell> out;
    if (!grid_) {
        out << Cell{rect(), objectName()};
        return out;
    }
    QHeaderView* h = grid_->horizontalHeader();
    const QVector<Column>& cols = grid_->columns();
    int x = 0;
    bool first = true;
    for (int v = 0; v < h->count() && x < width(); ++v) {
        const int logical = h->logicalIndex(v);
        if (h->isSectionHidden(logical) || logical >= cols.size())
            continue;
        // a column's section already holds its grid line; the first cell also spans the
        // grid's frame and the indicator column
        int w = h->sectionSize(logical);
        if (first)
            w += grid_->frameWidth() + grid_->indicatorWidth();
        first = false;
        out << Cell{QRect(x, 0, qMin(w, width() - x), height()), cols[logical].caption()};
        x += w;
    }
    // the last cell reaches to the grid's right edge
    if (!out.isEmpty())
        out.last().rect.setRight(qMin(grid_->width(), width()) - 1);
    return out;
}

void TGridCapTions::drawLines(QPainter& p, const QRect& r, bool closing) const {
    QColor first = palette().color(QPalette::Dark);
    QColor second = palette().color(QPalette::Light);
    if (style_ == CapStyle::CSRaised)
        std::swap(first, second);
    const int l = r.left(), t = r.top(), rt = r.right(), b = r.bottom();
    auto line = [&](const QColor& c, int x1, int y1, int x2, int y2) {
        p.setPen(c);
        p.drawLine(x1, y1, x2, y2);
    };
    switch (shape_) {
        case CapShape::CsBox:
            line(first, l, t, rt, t);
            line(first, l, t, l, b);
            line(second, rt, t, rt, b);
            line(second, l, b, rt, b);
            break;
        case CapShape::CsFrame:
            line(first, l, t, rt, t);
            line(second, l, t + 1, rt, t + 1);
            line(first, l, t, l, b);
            line(second, l + 1, t + 1, l + 1, b);
            line(first, l, b - 1, rt, b - 1);
            line(first, l, b, rt, b);
            break;
        case CapShape::CsTopLine:
            line(first, l, t, rt, t);
            line(second, l, t + 1, rt, t + 1);
            break;
        case CapShape::CsBottomLine:
            line(first, l, b - 1, rt, b - 1);
            line(second, l, b, rt, b);
            break;
        case CapShape::CsLeftLine:
            line(first, l, t, l, b);
            line(second, l + 1, t, l + 1, b);
            break;
        case CapShape::CsRightLine:
            line(first, rt - 1, t, rt - 1, b);
            line(second, rt, t, rt, b);
            break;
        case CapShape::CsSpacer:
            break;
    }
    if (closing && shape_ != CapShape::CsSpacer) {
        line(first, rt - 1, t, rt - 1, b);
        line(second, rt, t, rt, b);
    }
}

void TGridCapTions::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QList<Cell> list = cells();
    QFont titleFont = font();
    p.setFont(titleFont);
    for (int i = 0; i < list.size(); ++i) {
        const Cell& c = list[i];
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(c.rect, Qt::AlignCenter | Qt::TextSingleLine, c.caption);
        drawLines(p, c.rect, grid_ && i == list.size() - 1);
    }
}

}  // namespace controls
