#include "controls/dbgrid.h"

#include "controls/fieldtext.h"
#include "data/datamodule.h"
#include "dialogs/service.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTimer>

static void initControlsResources() {
    Q_INIT_RESOURCE(controls);
}

namespace controls {

/// The in-place editor: a drop-down list for look-up and pick-list columns, a line otherwise.
/// Keys reach the grid's rules before the editor sees them.
class GridDelegate : public QStyledItemDelegate {
public:
    explicit GridDelegate(TmyCustomDbGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        const Column& c = grid_->columns().at(index.column());
        if (c.hasList()) {
            auto* combo = new QComboBox(parent);
            combo->setEditable(!c.lookup);
            combo->addItems(c.pickList);
            combo->setFrame(false);
            return combo;
        }
        auto* line = new QLineEdit(parent);
        line->setFrame(false);
        const data::FieldDef* def = grid_->dataModel()->fieldDefOf(index.column());
        if (def && def->type == data::FieldType::Text && def->size > 0)
            line->setMaxLength(def->size);
        Q_UNUSED(option);
        return line;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        const QString text = index.data(Qt::EditRole).toString();
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            const int i = combo->findText(text);
            if (i >= 0)
                combo->setCurrentIndex(i);
            if (combo->isEditable())
                combo->setEditText(text);
        } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            line->setText(text);
        }
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        if (auto* combo = qobject_cast<QComboBox*>(editor))
            model->setData(index, combo->currentText(), Qt::EditRole);
        else if (auto* line = qobject_cast<QLineEdit*>(editor))
            model->setData(index, line->text(), Qt::EditRole);
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::KeyPress)
            if (auto* editor = qobject_cast<QWidget*>(o))
                if (grid_->handleKey(static_cast<QKeyEvent*>(e), editor))
                    return true;
        return QStyledItemDelegate::eventFilter(o, e);
    }

private:
    TmyCustomDbGrid* grid_;
};

/// The indicator column: the state of the current record and the selected rows.
class IndicatorHeader : public QHeaderView {
public:
    explicit IndicatorHeader(TmyCustomDbGrid* grid) : QHeaderView(Qt::Vertical, grid), grid_(grid) {
        initControlsResources();
        for (const char* name :
             {"MyDBGARROW", "MyDBEDIT", "MyDBINSERT", "MyDBMULTIDOT", "MyDBMULTIARROW"}) {
            QPixmap p(QStringLiteral(":/controls/") + QLatin1String(name));
            p.setMask(p.createMaskFromColor(Qt::white));  // white is transparent
            images_ << p;
        }
        setSectionResizeMode(QHeaderView::Fixed);
        setSectionsClickable(false);
        setHighlightSections(false);
    }
    static constexpr int kWidth = 13;

    QSize sizeHint() const override { return QSize(kWidth, QHeaderView::sizeHint().height()); }

protected:
    void paintSection(QPainter* p, const QRect& rect, int row) const override {
        p->save();
        QHeaderView::paintSection(p, rect, row);
        p->restore();
        const int current = grid_->dataModel()->currentRow();
        const bool selected = (grid_->options() & TmyCustomDbGrid::dgMultiSelect) &&
                              grid_->selectionModel() &&
                              grid_->selectionModel()->isRowSelected(row, QModelIndex());
        int image = -1;
        if (row == current) {
            const data::DataSet* set = grid_->dataSet();
            const data::State s = set ? set->state() : data::State::Browse;
            image = selected ? 4 : s == data::State::Edit ? 1 : s == data::State::Insert ? 2 : 0;
        } else if (selected) {
            image = 3;
        }
        if (image < 0)
            return;
        const QPixmap& pm = images_.at(image);
        p->drawPixmap(rect.x() + (rect.width() - pm.width()) / 2,
                      rect.y() + (rect.height() - pm.height()) / 2, pm);
    }

private:
    TmyCustomDbGrid* grid_;
    QList<QPixmap> images_;
};

TmyCustomDbGrid::TmyCustomDbGrid(QWidget* parent)
    : QTableView(parent),
      model_(new DataSetModel(this)),
      delegate_(new GridDelegate(this)),
      indicator_(new IndicatorHeader(this)) {
    setVerticalHeader(indicator_);
    setModel(model_);
    setItemDelegate(delegate_);
    indicator_->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setHighlightSections(false);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked);
    setOptions(dgEditing | dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines |
               dgTabs | dgConfirmDelete | dgCancelOnExit);
    connect(model_, &QAbstractItemModel::modelReset, this, &TmyCustomDbGrid::syncToDataSet);
    resize(320, 120);
}

TmyCustomDbGrid::~TmyCustomDbGrid() = default;

void TmyCustomDbGrid::setDataSource(data::DataSource* source) {
    if (source_)
        disconnect(source_, nullptr, this, nullptr);
    source_ = source;
    if (source)
        connect(source, &data::DataSource::dataSetChanged, this,
                [this] { setDataSet(source_->dataSet()); });
    setDataSet(source ? source->dataSet() : nullptr);
}

void TmyCustomDbGrid::setDataSet(data::DataSet* set) {
    if (data::DataSet* old = dataSet())
        disconnect(old, nullptr, this, nullptr);
    model_->setDataSet(set);
    if (set) {
        // after the model has taken the move
        connect(set, &data::DataSet::recordChanged, this, &TmyCustomDbGrid::syncToDataSet);
        connect(set, &data::DataSet::stateChanged, indicator_,
                [this] { indicator_->viewport()->update(); });
    }
    applyColumns();
    syncToDataSet();
}

void TmyCustomDbGrid::setColumns(const QVector<Column>& columns) {
    model_->setColumns(columns);
    applyColumns();
}

void TmyCustomDbGrid::applyColumns() {
    const QVector<Column>& cols = model_->columns();
    for (int i = 0; i < cols.size(); ++i) {
        setColumnWidth(i, cols[i].width);
        setColumnHidden(i, !cols[i].visible);
    }
}

int TmyCustomDbGrid::selectedIndex() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.column() : -1;
}

int TmyCustomDbGrid::indicatorWidth() const {
    return (options_ & dgIndicator) ? indicator_->width() : 0;
}

void TmyCustomDbGrid::setOptions(Options o) {
    options_ = o;
    horizontalHeader()->setVisible(o & dgTitles);
    indicator_->setVisible(o & dgIndicator);
    horizontalHeader()->setSectionResizeMode((o & dgColumnResize) ? QHeaderView::Interactive
                                                                  : QHeaderView::Fixed);
    setShowGrid((o & dgColLines) || (o & dgRowLines));
    setTabKeyNavigation(o & dgTabs);
    if (o & dgMultiSelect) {
        setSelectionBehavior(QAbstractItemView::SelectRows);
        setSelectionMode(QAbstractItemView::ExtendedSelection);
    } else {
        setSelectionBehavior(QAbstractItemView::SelectItems);
        setSelectionMode(QAbstractItemView::SingleSelection);
    }
}

void TmyCustomDbGrid::setReadOnly(bool on) {
    readOnly_ = on;
    if (QWidget* ed = cellEditor())
        closeEditor(ed, QAbstractItemDelegate::RevertModelCache);
}

QList<int> TmyCustomDbGrid::selectedRecords() const {
    QList<int> out;
    if (!(options_ & dgMultiSelect) || !selectionModel())
        return out;
    for (const QModelIndex& i : selectionModel()->selectedRows()) out << i.row() + 1;
    std::sort(out.begin(), out.end());
    return out;
}

QWidget* TmyCustomDbGrid::cellEditor() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? indexWidget(i) : nullptr;
}

void TmyCustomDbGrid::syncToDataSet() {
    const int row = model_->currentRow();
    if (row < 0 || row >= model_->rowCount() || !selectionModel())
        return;
    int col = currentIndex().isValid() ? currentIndex().column() : lastColumn_;
    if (col >= model_->columnCount() || (col >= 0 && isColumnHidden(col)))
        col = -1;
    if (col < 0)
        for (int v = 0; v < horizontalHeader()->count() && col < 0; ++v) {
            const int logical = horizontalHeader()->logicalIndex(v);
            if (!isColumnHidden(logical))
                col = logical;
        }
    if (col < 0)
        return;
    const QModelIndex target = model_->index(row, col);
    if (target == currentIndex())
        return;
    syncing_ = true;
    selectionModel()->setCurrentIndex(target, (options_ & dgMultiSelect)
                                                  ? QItemSelectionModel::NoUpdate
                                                  : QItemSelectionModel::ClearAndSelect);
    syncing_ = false;
    scrollTo(target);
}

bool TmyCustomDbGrid::checkBrowseMode() {
    data::DataSet* set = dataSet();
    if (!set || !set->isEditing())
        return true;
    try {
        if (set->isModified())
            set->post();
        else
            set->cancel();
    } catch (const std::exception& e) {
        dialogs::showException(e);
        return false;
    }
    return true;
}

bool TmyCustomDbGrid::moveToRow(int row) {
    data::DataSet* set = dataSet();
    if (!set || !set->isOpen())
        return false;
    if (!checkBrowseMode()) {
        syncToDataSet();
        return false;
    }
    try {
        const int count = set->recordCount();
        if (count > 0)
            set->setRecNo(qBound(1, row + 1, count));
    } catch (const std::exception& e) {
        dialogs::showException(e);
    }
    syncToDataSet();
    return true;
}

void TmyCustomDbGrid::commitEditor(QWidget* editor) {
    if (editor)
        commitData(editor);
}

void TmyCustomDbGrid::stockDown(QWidget* editor) {
    data::DataSet* set = dataSet();
    if (!set || !set->isOpen())
        return;
    commitEditor(editor);
    const int row = model_->currentRow();
    if (row < model_->rowCount() - 1) {
        moveToRow(row + 1);
        return;
    }
    // below the last record the stock grid starts a new one
    if (readOnly_ || !(options_ & dgEditing) || !set->canModify())
        return;
    if (set->state() == data::State::Insert && !set->isModified())
        return;
    if (!checkBrowseMode())
        return;
    try {
        set->append();
    } catch (const std::exception& e) {
        dialogs::showException(e);
    }
}

void TmyCustomDbGrid::deleteRecords() {
    data::DataSet* set = dataSet();
    if (!set || !set->isOpen() || readOnly_ || !(options_ & dgEditing) || !set->canModify() ||
        set->recordCount() == 0)
        return;
    const QList<int> selected = selectedRecords();
    if (options_ & dgConfirmDelete) {
        const QString text = selected.size() < 2 ? QStringLiteral("Bu kayıt silinsin mi?")
                                                 : QStringLiteral("Seçilen kayıtlar silinsin mi?");
        const dialogs::Button answer =
            dialogs::service().message({QStringLiteral("Onay"), text, dialogs::Icon::Question,
                                        dialogs::Ok | dialogs::Cancel, dialogs::Ok});
        if (answer == dialogs::Cancel)
            return;
    }
    try {
        if (selected.isEmpty()) {
            set->remove();
        } else {
            if (set->isEditing())
                set->cancel();
            for (auto it = selected.crbegin(); it != selected.crend(); ++it) {
                set->setRecNo(*it);
                set->remove();
            }
        }
    } catch (const std::exception& e) {
        dialogs::showException(e);
    }
    if (selectionModel())
        selectionModel()->clearSelection();
}

bool TmyCustomDbGrid::canEditModify(const QModelIndex& index) const {
    const data::DataSet* set = dataSet();
    if (readOnly_ || !(options_ & dgEditing) || !set || !set->canModify() || !index.isValid())
        return false;
    const Column& c = columns().at(index.column());
    const data::FieldDef* def = model_->fieldDefOf(index.column());
    return !c.readOnly && model_->fieldOf(index.column()) >= 0 &&
           !(def && def->type == data::FieldType::AutoInc);
}

bool TmyCustomDbGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (trigger != QAbstractItemView::NoEditTriggers && !canEditModify(index))
        return false;
    return QTableView::edit(index, trigger, event);
}

void TmyCustomDbGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (current.isValid())
        lastColumn_ = current.column();
    if (syncing_ || !current.isValid() || !dataSet())
        return;
    if (current.row() == model_->currentRow())
        return;
    const int target = current.row();
    // The selection model is still delivering this change: act after it. Only the user moves
    // the data set; any other change of the current row (a reset, the focus coming back) is
    // put back on the data set's record.
    if (userInput_ > 0)
        QTimer::singleShot(0, this, [this, target] { moveToRow(target); });
    else
        QTimer::singleShot(0, this, &TmyCustomDbGrid::syncToDataSet);
}

void TmyCustomDbGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    // Tab in the editor moves on to the next cell; other closings only give the focus back
    const bool moves = hint == QAbstractItemDelegate::EditNextItem ||
                       hint == QAbstractItemDelegate::EditPreviousItem;
    if (moves)
        ++userInput_;
    QTableView::closeEditor(editor, hint);
    if (moves)
        --userInput_;
}

void TmyCustomDbGrid::mousePressEvent(QMouseEvent* e) {
    ++userInput_;
    QTableView::mousePressEvent(e);
    --userInput_;
}

void TmyCustomDbGrid::mouseReleaseEvent(QMouseEvent* e) {
    ++userInput_;
    QTableView::mouseReleaseEvent(e);
    --userInput_;
}

void TmyCustomDbGrid::mouseMoveEvent(QMouseEvent* e) {
    ++userInput_;
    QTableView::mouseMoveEvent(e);
    --userInput_;
}

void TmyCustomDbGrid::mouseDoubleClickEvent(QMouseEvent* e) {
    ++userInput_;
    QTableView::mouseDoubleClickEvent(e);
    --userInput_;
}

bool TmyCustomDbGrid::handleKey(QKeyEvent* e, QWidget* editor) {
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    switch (e->key()) {
        case Qt::Key_Delete:
            if (mods == Qt::ControlModifier) {
                if (editor)
                    closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
                deleteRecords();
                return true;
            }
            return false;
        case Qt::Key_Escape:
            if (editor)
                return false;  // the editor gives back the cell's text
            if (dataSet() && dataSet()->isEditing()) {
                try {
                    dataSet()->cancel();
                } catch (const std::exception& ex) {
                    dialogs::showException(ex);
                }
                return true;
            }
            return false;
        case Qt::Key_Up:
            if (mods & (Qt::ControlModifier | Qt::AltModifier))
                return false;
            commitEditor(editor);
            moveRecord(-1);
            return true;
        case Qt::Key_Down:
            if (mods & (Qt::ControlModifier | Qt::AltModifier))
                return false;
            stockDown(editor);
            return true;
        default:
            return false;
    }
}

void TmyCustomDbGrid::keyPressEvent(QKeyEvent* e) {
    if (handleKey(e, nullptr))
        return;
    // A Tab made up by the view itself (its cell editor being hidden passes the focus on) is
    // no move of the user's; a typed Tab is counted in event().
    const bool tab = e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab;
    if (!tab)
        ++userInput_;
    QTableView::keyPressEvent(e);
    if (!tab)
        --userInput_;
}

bool TmyCustomDbGrid::event(QEvent* e) {
    // Tab is taken before the widget moves the focus with it
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
            if (handleKey(k, nullptr))
                return true;
            ++userInput_;
            const bool done = QTableView::event(e);
            --userInput_;
            return done;
        }
    }
    return QTableView::event(e);
}

void TmyCustomDbGrid::focusOutEvent(QFocusEvent* e) {
    QTableView::focusOutEvent(e);
    QWidget* now = QApplication::focusWidget();
    if (now && isAncestorOf(now))
        return;  // the cell editor took it
    if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason)
        return;
    data::DataSet* set = dataSet();
    if ((options_ & dgCancelOnExit) && set && set->state() == data::State::Insert &&
        !set->isModified())
        set->cancel();
}

/// The "İPTAL" watermark: raised dark-red text in front of the cells, letting the cells show
/// through and the mouse pass.
class Watermark : public QWidget {
public:
    explicit Watermark(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("Watermark"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
    }
    QString text() const { return QStringLiteral("İPTAL"); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::TextAntialiasing);
        QFont f(QStringLiteral("Times New Roman"));
        f.setPixelSize(80);
        p.setFont(f);
        p.setOpacity(0.35);
        const QRect r = rect();
        const int flags = Qt::AlignLeft | Qt::AlignVCenter;
        p.setPen(Qt::white);
        p.drawText(r.translated(-2, -2), flags, text());
        p.setPen(Qt::black);
        p.drawText(r.translated(2, 2), flags, text());
        p.setPen(QColor(128, 0, 0));
        p.drawText(r, flags, text());
    }
};

TNewDBGrid::TNewDBGrid(QWidget* parent)
    : TmyCustomDbGrid(parent),
      watermark_(new Watermark(viewport())),
      // placed by the size the grid has when it is made, before a window gives it its own
      watermarkRect_(width() / 2, -height() / 2, 300, 300) {
    verticalScrollBar()->installEventFilter(this);
    updateWatermark();
}

TNewDBGrid::~TNewDBGrid() = default;

QWidget* TNewDBGrid::watermark() const {
    return watermark_;
}

QString TNewDBGrid::stayMessage() {
    return QStringLiteral("Bir kayıtla işinizi bitirmeden diğer\rkayıtlara geçemezsiniz");
}

void TNewDBGrid::setOrvuStyle(bool on) {
    orvuStyle_ = on;
    updateWatermark();
}

void TNewDBGrid::updateWatermark() {
    // kept in grid coordinates; it lives on the cells, so the titles stay clear
    watermark_->setGeometry(watermarkRect_.translated(-viewport()->pos()));
    watermark_->setVisible(orvuStyle_);
    if (orvuStyle_)
        watermark_->raise();
    // the title cell of the indicator column stays unpainted in the grid's own style
    for (QAbstractButton* b : findChildren<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly))
        b->setVisible(!orvuStyle_);
}

void TNewDBGrid::sayStay() {
    dialogs::service().message({dialogs::applicationTitle(), stayMessage(), dialogs::Icon::None,
                                dialogs::Ok, dialogs::Ok});
}

bool TNewDBGrid::canEditModify(const QModelIndex& index) const {
    if (index.isValid() && !isReadOnly() && columns().at(index.column()).lookup)
        return true;
    return TmyCustomDbGrid::canEditModify(index);
}

bool TNewDBGrid::handleKey(QKeyEvent* e, QWidget* editor) {
    const bool ro = isReadOnly();
    const int ci = selectedIndex();
    const Column* col = ci >= 0 && ci < columns().size() ? &columns().at(ci) : nullptr;
    const bool autoList = col && col->buttonStyle == Column::ButtonStyle::Auto && !ro;
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;

    switch (e->key()) {
        case Qt::Key_Down:
            if (autoList && col->hasList()) {
                QWidget* ed = editor;
                if (!ed) {
                    if (!edit(currentIndex(), QAbstractItemView::EditKeyPressed, e))
                        return true;
                    ed = cellEditor();
                }
                if (auto* combo = qobject_cast<QComboBox*>(ed))
                    combo->showPopup();
                return true;
            }
            if (!upDownMov_ && !ro) {
                sayStay();
                return true;
            }
            if (autoAppend_ || ro)
                return TmyCustomDbGrid::handleKey(e, editor);
            if (mods & (Qt::ControlModifier | Qt::AltModifier))
                return false;
            {
                // the record is written and the grid goes on, but never past the last record
                commitEditor(editor);
                const int row = dataModel()->currentRow();
                if (!checkBrowseMode())
                    return true;
                if (row >= 0 && row < dataModel()->rowCount() - 1)
                    moveToRow(row + 1);
            }
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: {
            if (tabMov_ || ro)
                return TmyCustomDbGrid::handleKey(e, editor);
            if (editor) {
                commitEditor(editor);
                closeEditor(editor, QAbstractItemDelegate::NoHint);
            }
            const int step = (e->key() == Qt::Key_Backtab || (mods & Qt::ShiftModifier)) ? -1 : 1;
            const QModelIndex cur = currentIndex();
            if (!cur.isValid())
                return true;
            QHeaderView* h = horizontalHeader();
            for (int v = h->visualIndex(cur.column()) + step; v >= 0 && v < h->count(); v += step) {
                const int logical = h->logicalIndex(v);
                if (isColumnHidden(logical))
                    continue;
                selectionModel()->setCurrentIndex(model()->index(cur.row(), logical),
                                                  (options() & dgMultiSelect)
                                                      ? QItemSelectionModel::NoUpdate
                                                      : QItemSelectionModel::ClearAndSelect);
                break;
            }
            return true;
        }
        case Qt::Key_Up:
            if (mods & (Qt::ControlModifier | Qt::AltModifier))
                return false;
            if (upDownMov_ || ro)
                return TmyCustomDbGrid::handleKey(e, editor);
            sayStay();
            return true;
        case Qt::Key_Insert:
            if (col && isNumberField(dataModel()->fieldDefOf(ci)) && editor && !ro) {
                if (auto* line = qobject_cast<QLineEdit*>(editor))
                    if (!line->text().isEmpty())
                        line->setText(line->text() + QStringLiteral("000"));
                commitEditor(editor);
            }
            return true;  // the stock insertion of a record by this key is not offered
        case Qt::Key_Escape:
            if (autoList && col->lookup)
                return true;
            return TmyCustomDbGrid::handleKey(e, editor);
        default:
            return TmyCustomDbGrid::handleKey(e, editor);
    }
}

bool TNewDBGrid::leavesRow(const QPoint& pos) const {
    const int r = rowAt(pos.y());
    return r >= 0 && r != dataModel()->currentRow();
}

void TNewDBGrid::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::RightButton) {
        const int c = selectedIndex();
        emit rightClicked(c);
        if (OnRightClick)
            OnRightClick(c);
        e->accept();
        return;
    }
    pressRefused_ = false;
    if (e->button() == Qt::LeftButton && !clickable_ && restricts() && leavesRow(e->pos())) {
        pressRefused_ = true;
        e->accept();
        sayStay();
        return;
    }
    TmyCustomDbGrid::mousePressEvent(e);
}

void TNewDBGrid::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && !clickable_ && restricts() &&
        (pressRefused_ || leavesRow(e->pos()))) {
        pressRefused_ = false;
        e->accept();
        return;
    }
    TmyCustomDbGrid::mouseReleaseEvent(e);
}

void TNewDBGrid::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::RightButton) {
        const int c = selectedIndex();
        emit doubleRightClicked(c);
        if (OnDoubleRightClick)
            OnDoubleRightClick(c);
        e->accept();
        return;
    }
    if (e->button() == Qt::LeftButton && !clickable_ && restricts() && leavesRow(e->pos())) {
        pressRefused_ = true;
        e->accept();
        return;
    }
    TmyCustomDbGrid::mouseDoubleClickEvent(e);
}

void TNewDBGrid::mouseMoveEvent(QMouseEvent* e) {
    if ((e->buttons() & Qt::LeftButton) && !clickable_ && restricts() && leavesRow(e->pos())) {
        e->accept();
        return;
    }
    TmyCustomDbGrid::mouseMoveEvent(e);
}

void TNewDBGrid::updateGeometries() {
    TmyCustomDbGrid::updateGeometries();
    updateWatermark();
}

void TNewDBGrid::scrollContentsBy(int dx, int dy) {
    watermark_->hide();
    TmyCustomDbGrid::scrollContentsBy(dx, dy);
    updateWatermark();
}

bool TNewDBGrid::eventFilter(QObject* o, QEvent* e) {
    if (o == verticalScrollBar() && !scrollable_ && restricts()) {
        switch (e->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseMove:
            case QEvent::Wheel:
            case QEvent::KeyPress:
                return true;
            default:
                break;
        }
    }
    return TmyCustomDbGrid::eventFilter(o, e);
}

}  // namespace controls
