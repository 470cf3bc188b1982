#pragma once

#include "dialogs/service.h"
#include "report/export.h"
#include "report/prepared.h"

#include <QDialog>
#include <QPrinter>
#include <functional>
#include <memory>

class QLabel;
class QListWidget;
class QProgressBar;
class QScrollArea;
class QSplitter;
class QStatusBar;
class QTabWidget;
class QToolBar;
class QToolButton;
class QGroupBox;

namespace report {

class Report;
class PageView;

/// The preview and export window of every printout: pages, zoom, paging, go-to-page, text
/// search, printing, printer set-up, saving and loading the report file, the five exports and
/// the hand-off to the e-mail sender. Made anew for each preview.
class TQRStandardPreview : public QDialog {
    Q_OBJECT
public:
    enum class Zoom { Fit, Width, Actual };

    explicit TQRStandardPreview(QWidget* parent = nullptr);
    ~TQRStandardPreview() override;

    /// Prepares the report with the window's progress display and shows its pages.
    void prepare(Report& r);
    /// Shows pages that were prepared already.
    void setPrepared(PreparedReport pages, bool thumbnails = true, bool textSearch = true);
    const PreparedReport& prepared() const { return pages_; }

    int currentPage() const { return page_; }
    int pageCount() const { return pages_.pageCount(); }
    /// Shows page n, kept within the report; the thumbnail of n is selected when n is a page.
    void showPage(int n);
    Zoom zoomMode() const { return zoomMode_; }
    /// Page pixels shown per report pixel.
    double zoomFactor() const;
    QString reportTitle() const { return pages_.title; }
    bool loadedFromFile() const { return loaded_; }
    QString lastEmailAddress() const { return lastEmail_; }
    /// The shared save dialog as the last button set it up.
    const dialogs::FileRequest& saveDialog() const { return kaydet_; }
    QPrinter& printer() { return printer_; }

    /// Called by the e-mail button after the report was written to the scratch file.
    std::function<void(const QString& address, const QString& htmlPath, const QString& title)>
        onEmail;

    /// The scratch HTML file of the e-mail send: $XDG_CACHE_HOME/tizgen/Dosya.HTM.
    static QString scratchHtmlPath();
    /// The go-to-page answer read as a whole number: digits after optional blanks and sign,
    /// up to the first character that cannot continue the number; 0 without leading digits.
    static int readNumber(const QString& text);

    /// Prepares a report and shows it modally in a new window, destroyed on close: the
    /// report's beforePrint runs before the window opens (what it throws opens no window and
    /// reaches the caller), its afterPreview after the window closed.
    static int preview(Report& r, QWidget* parent = nullptr);

signals:
    void emailRequested(const QString& address, const QString& htmlPath, const QString& title);
    void pageChanged(int page);

public slots:
    void ZoomFitClick();
    void ZoomToWidthClick();
    void Zoom100Click();
    void FirstPageClick();
    void PreviousPageClick();
    void NextPageClick();
    void LastPageClick();
    void GotoPageButtonClick();
    void FindButtonClick();
    void PrintClick();
    void ToolButton7Click();   ///< e-mail
    void ToolButton10Click();  ///< HTML
    void ToolButton4Click();   ///< XLS
    void ToolButton5Click();   ///< DOC (rich text)
    void ToolButton6Click();   ///< CSV
    void ToolButton3Click();   ///< PDF
    void SaveClick();
    void LoadClick();
    void PrintSetupClick();
    void ExitButtonClick();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    QToolButton* addButton(const QString& name, const QString& hint, const QString& glyph,
                           void (TQRStandardPreview::*slot)());
    void addSpacer();
    bool handleKey(QKeyEvent* e);
    void setZoom(Zoom z);
    void applyZoom();
    void updateStatus();
    void updateCaption();
    void rebuildThumbnails();
    void progress(int p);
    void exportWith(const QString& title, const QString& filter, const QString& ext, Format f);
    bool chooseFile(QString& path);
    void installFilters();

    PreparedReport pages_;
    int page_ = 1;
    Zoom zoomMode_ = Zoom::Width;
    bool loaded_ = false;
    bool complete_ = false;
    bool firstShow_ = true;
    int shownProgress_ = 0;
    QString lastEmail_;
    dialogs::FileRequest kaydet_;
    QPrinter printer_;
    bool printerSetUp_ = false;

    QToolBar* toolBar_;
    QTabWidget* tabs_;
    QWidget* thumbTab_;
    QWidget* searchTab_;
    QListWidget* thumbGrid_;
    QGroupBox* searchFrame_;
    QLabel* searchTextLabel_;
    QListWidget* searchResultBox_;
    QSplitter* splitter_;
    QScrollArea* scroll_;
    PageView* view_;
    QStatusBar* statusBar_;
    QLabel* panel1_;
    QLabel* panel2_;
    QLabel* panel3_;
    QProgressBar* progressRule_;
};

}  // namespace report
