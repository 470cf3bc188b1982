#pragma once

#include "controls/dbgridmodel.h"

#include <QPointer>
#include <QTableView>
#include <functional>

namespace data {
class DataSource;
}

namespace controls {

class GridDelegate;
class IndicatorHeader;

/// The data-bound record grid: rows are the records of a data set, columns its fields, with
/// titles, an indicator column and an in-place cell editor. Moving to another row moves the data
/// set (an edited record is posted first; a refused post keeps the grid on the record).
class TmyCustomDbGrid : public QTableView {
    Q_OBJECT
public:
    enum Option {
        dgEditing = 0x1,
        dgTitles = 0x2,
        dgIndicator = 0x4,
        dgColumnResize = 0x8,
        dgColLines = 0x10,
        dgRowLines = 0x20,
        dgTabs = 0x40,
        dgConfirmDelete = 0x80,
        dgCancelOnExit = 0x100,
        dgMultiSelect = 0x200,
    };
    Q_DECLARE_FLAGS(Options, Option)

    explicit TmyCustomDbGrid(QWidget* parent = nullptr);
    ~TmyCustomDbGrid() override;

    void setDataSet(data::DataSet* set);
    void setDataSource(data::DataSource* source);
    data::DataSet* dataSet() const { return model_->dataSet(); }
    DataSetModel* dataModel() const { return model_; }

    void setColumns(const QVector<Column>& columns);
    const QVector<Column>& columns() const { return model_->columns(); }
    /// The column with the focus (the current column), or -1.
    int selectedIndex() const;
    /// Width of the indicator column (0 when it is not shown).
    int indicatorWidth() const;

    Options options() const { return options_; }
    void setOptions(Options o);

    /// A read-only grid changes no record; the moves are those of the stock grid.
    bool isReadOnly() const { return readOnly_; }
    void setReadOnly(bool on);

    /// Record numbers of the selected rows (multi-select), in ascending order.
    QList<int> selectedRecords() const;
    /// The in-place editor when it is open.
    QWidget* cellEditor() const;

    /// The stock delete (Ctrl+Delete): asks when confirm-delete is set, then deletes the
    /// selected rows, or the current record when none is selected.
    void deleteRecords();

    using QTableView::edit;

    /// Keys that reach the grid or its cell editor; true when the key was used up.
    virtual bool handleKey(QKeyEvent* e, QWidget* editor);

protected:
    /// Moves the data set to the record of a row, ending an edit first. False when the post
    /// was refused (the error was shown).
    bool moveToRow(int row);
    bool moveRecord(int delta) { return moveToRow(model_->currentRow() + delta); }
    /// Ends an edit before leaving the record: posts a modified record, cancels an unmodified
    /// one (so that a record nobody changed never meets the before-post rules). False when
    /// the post was refused.
    bool checkBrowseMode();
    /// The stock Down: the next record, or a new record after the last one.
    void stockDown(QWidget* editor);
    /// Writes the open editor's text into the field.
    void commitEditor(QWidget* editor);
    /// The stock rule whether a cell may be modified.
    virtual bool canEditModify(const QModelIndex& index) const;

    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    bool event(QEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

    void syncToDataSet();
    void applyColumns();

    DataSetModel* model_;
    GridDelegate* delegate_;
    IndicatorHeader* indicator_;
    Options options_;
    bool readOnly_ = false;
    bool syncing_ = false;
    int userInput_ = 0;    ///< inside a key or mouse event of the user
    int lastColumn_ = -1;  ///< the current column, kept over a reset of the model
    QPointer<data::DataSource> source_;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TmyCustomDbGrid::Options)

class Watermark;

/// The program's record grid: switches that keep the user on the current record (arrows,
/// Tab, mouse, scroll bar), a Down key that opens pick lists, the thousands key in number
/// columns, right-click events, Turkish delete questions and the "İPTAL" watermark.
/// While the grid is read-only every move behaves as in the stock grid.
class TNewDBGrid : public TmyCustomDbGrid {
    Q_OBJECT
    Q_PROPERTY(bool UpDownMov READ UpDownMov WRITE setUpDownMov)
    Q_PROPERTY(bool AutoAppend READ AutoAppend WRITE setAutoAppend)
    Q_PROPERTY(bool TabShftTabMov READ TabShftTabMov WRITE setTabShftTabMov)
    Q_PROPERTY(bool Clickable READ Clickable WRITE setClickable)
    Q_PROPERTY(bool Scrollable READ Scrollable WRITE setScrollable)
    Q_PROPERTY(bool OrvuStyle READ OrvuStyle WRITE setOrvuStyle)
public:
    explicit TNewDBGrid(QWidget* parent = nullptr);
    ~TNewDBGrid() override;

    bool UpDownMov() const { return upDownMov_; }
    void setUpDownMov(bool on) { upDownMov_ = on; }
    bool AutoAppend() const { return autoAppend_; }
    void setAutoAppend(bool on) { autoAppend_ = on; }
    bool TabShftTabMov() const { return tabMov_; }
    void setTabShftTabMov(bool on) { tabMov_ = on; }
    bool Clickable() const { return clickable_; }
    void setClickable(bool on) { clickable_ = on; }
    bool Scrollable() const { return scrollable_; }
    void setScrollable(bool on) { scrollable_ = on; }
    bool OrvuStyle() const { return orvuStyle_; }
    void setOrvuStyle(bool on);

    /// After a right-button press / double click, with the current column.
    std::function<void(int column)> OnRightClick;
    std::function<void(int column)> OnDoubleRightClick;

    QWidget* watermark() const;

    /// "Bir kayıtla işinizi bitirmeden diğer\rkayıtlara geçemezsiniz"
    static QString stayMessage();

    bool handleKey(QKeyEvent* e, QWidget* editor) override;

signals:
    void rightClicked(int column);
    void doubleRightClicked(int column);

protected:
    bool canEditModify(const QModelIndex& index) const override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    bool restricts() const { return !isReadOnly(); }
    bool leavesRow(const QPoint& pos) const;
    void sayStay();
    void updateWatermark();

    bool upDownMov_ = true;
    bool autoAppend_ = false;
    bool tabMov_ = true;
    bool clickable_ = true;
    bool scrollable_ = true;
    bool orvuStyle_ = true;
    bool pressRefused_ = false;
    Watermark* watermark_;
    QRect watermarkRect_;
};

}  // namespace controls
