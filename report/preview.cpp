#include "report/preview.h"

#include "report/error.h"
#include "report/report.h"
#include "report/searchdlg.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPrintDialog>
#include <QProgressBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

namespace report {

/// The page on screen: the page picture at the zoom on a gray ground.
class PageView : public QWidget {
public:
    static constexpr int kMargin = 10;

    explicit PageView(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("PageView"));
    }

    void setPage(const PreparedReport* r, int page, double zoom) {
        report_ = r;
        page_ = page;
        zoom_ = zoom;
        const QSizeF px = r ? r->pagePx() * zoom : QSizeF(0, 0);
        setFixedSize(int(std::ceil(px.width())) + 2 * kMargin,
                     int(std::ceil(px.height())) + 2 * kMargin);
        update();
    }
    double zoom() const { return zoom_; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(0x80, 0x80, 0x80));
        if (!report_ || report_->pageCount() == 0)
            return;
        const QSizeF px = report_->pagePx() * zoom_;
        const QRectF paper(kMargin, kMargin, px.width(), px.height());
        p.fillRect(paper.translated(3, 3), QColor(0x40, 0x40, 0x40));
        p.fillRect(paper, Qt::white);
        p.setPen(Qt::black);
        p.drawRect(paper.adjusted(-0.5, -0.5, 0.5, 0.5));
        p.save();
        p.setClipRect(paper);
        p.translate(kMargin, kMargin);
        p.scale(zoom_, zoom_);
        report_->paintPage(p, page_);
        p.restore();
    }

private:
    const PreparedReport* report_ = nullptr;
    int page_ = 1;
    double zoom_ = 1;
};

namespace {

constexpr int kThumbWidth = 96;

// The tool bar's 22 x 22 glyphs, drawn here so that they look the same on every desktop.
QIcon glyph(const QString& kind) {
    QPixmap pm(22, 22);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(0x20, 0x30, 0x60);
    p.setPen(QPen(ink, 1.2));
    auto paper = [&](const QRectF& r) {
        p.setBrush(Qt::white);
        p.drawRect(r);
        p.setBrush(Qt::NoBrush);
    };
    auto triangle = [&](double x, double dir) {
        QPainterPath path;
        path.moveTo(x, 11);
        path.lineTo(x - 6 * dir, 5);
        path.lineTo(x - 6 * dir, 17);
        path.closeSubpath();
        p.fillPath(path, ink);
    };
    auto badge = [&](const QString& text, const QColor& c) {
        paper(QRectF(3.5, 1.5, 15, 19));
        QFont f(QStringLiteral("Liberation Sans"));
        f.setPixelSize(7);
        f.setBold(true);
        p.setFont(f);
        p.fillRect(QRectF(1, 11, 20, 8), c);
        p.setPen(Qt::white);
        p.drawText(QRectF(1, 11, 20, 8), Qt::AlignCenter, text);
    };
    if (kind == QLatin1String("fit")) {
        paper(QRectF(5.5, 2.5, 11, 16));
        p.drawLine(QPointF(8, 6), QPointF(14, 6));
        p.drawLine(QPointF(8, 9), QPointF(14, 9));
        p.drawLine(QPointF(8, 12), QPointF(14, 12));
    } else if (kind == QLatin1String("width")) {
        paper(QRectF(2.5, 4.5, 17, 13));
        p.drawLine(QPointF(4, 11), QPointF(18, 11));
        triangle(19, 1);
        triangle(3, -1);
    } else if (kind == QLatin1String("100")) {
        QFont f(QStringLiteral("Liberation Sans"));
        f.setPixelSize(9);
        f.setBold(true);
        p.setFont(f);
        paper(QRectF(1.5, 3.5, 19, 15));
        p.drawText(QRectF(1, 3, 20, 16), Qt::AlignCenter, QStringLiteral("1:1"));
    } else if (kind == QLatin1String("first")) {
        p.fillRect(QRectF(3, 5, 2, 12), ink);
        triangle(6, -1);
        triangle(12, -1);
    } else if (kind == QLatin1String("prev")) {
        triangle(8, -1);
    } else if (kind == QLatin1String("next")) {
        triangle(14, 1);
    } else if (kind == QLatin1String("last")) {
        triangle(10, 1);
        triangle(16, 1);
        p.fillRect(QRectF(17, 5, 2, 12), ink);
    } else if (kind == QLatin1String("goto")) {
        paper(QRectF(4.5, 2.5, 13, 17));
        QFont f(QStringLiteral("Liberation Sans"));
        f.setPixelSize(10);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRectF(4, 3, 14, 16), Qt::AlignCenter, QStringLiteral("#"));
    } else if (kind == QLatin1String("find")) {
        p.setPen(QPen(ink, 2));
        p.drawEllipse(QRectF(3, 3, 10, 10));
        p.drawLine(QPointF(12, 12), QPointF(19, 19));
    } else if (kind == QLatin1String("print") || kind == QLatin1String("setup")) {
        paper(QRectF(6.5, 2.5, 9, 7));
        p.setBrush(QColor(0xB0, 0xB0, 0xB8));
        p.drawRoundedRect(QRectF(2.5, 8.5, 17, 8), 1.5, 1.5);
        p.setBrush(Qt::NoBrush);
        paper(QRectF(6.5, 14.5, 9, 5));
        if (kind == QLatin1String("setup")) {
            p.setPen(QPen(QColor(0xC0, 0x30, 0x30), 2));
            p.drawLine(QPointF(14, 19), QPointF(20, 13));
        }
    } else if (kind == QLatin1String("mail")) {
        paper(QRectF(2.5, 5.5, 17, 11));
        p.drawLine(QPointF(2.5, 5.5), QPointF(11, 12));
        p.drawLine(QPointF(19.5, 5.5), QPointF(11, 12));
    } else if (kind == QLatin1String("save")) {
        p.setBrush(QColor(0x30, 0x50, 0x90));
        p.drawRect(QRectF(3.5, 3.5, 15, 15));
        p.fillRect(QRectF(6, 4, 10, 6), Qt::white);
        p.fillRect(QRectF(7, 13, 8, 5), QColor(0xD0, 0xD0, 0xD0));
    } else if (kind == QLatin1String("load")) {
        p.setBrush(QColor(0xE8, 0xC0, 0x50));
        QPainterPath path;
        path.moveTo(2.5, 6.5);
        path.lineTo(8.5, 6.5);
        path.lineTo(10.5, 8.5);
        path.lineTo(19.5, 8.5);
        path.lineTo(19.5, 17.5);
        path.lineTo(2.5, 17.5);
        path.closeSubpath();
        p.drawPath(path);
    } else if (kind == QLatin1String("HTM")) {
        badge(kind, QColor(0xD0, 0x60, 0x20));
    } else if (kind == QLatin1String("XLS")) {
        badge(kind, QColor(0x20, 0x80, 0x40));
    } else if (kind == QLatin1String("DOC")) {
        badge(kind, QColor(0x20, 0x50, 0xA0));
    } else if (kind == QLatin1String("CSV")) {
        badge(kind, QColor(0x60, 0x60, 0x60));
    } else if (kind == QLatin1String("PDF")) {
        badge(kind, QColor(0xB0, 0x10, 0x10));
    }
    p.end();
    return QIcon(pm);
}

}  // namespace

TQRStandardPreview::TQRStandardPreview(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TQRStandardPreview"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    kaydet_.fileName = QStringLiteral("Belge1");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    toolBar_ = new QToolBar(this);
    toolBar_->setObjectName(QStringLiteral("ToolBar1"));
    toolBar_->setIconSize(QSize(22, 22));
    toolBar_->setMovable(false);
    layout->addWidget(toolBar_);

    auto* zf = addButton(QStringLiteral("ZoomFit"), QStringLiteral("Tam Sayfa"),
                         QStringLiteral("fit"), &TQRStandardPreview::ZoomFitClick);
    auto* zw = addButton(QStringLiteral("ZoomToWidth"), QStringLiteral("Enine Sığdır"),
                         QStringLiteral("width"), &TQRStandardPreview::ZoomToWidthClick);
    auto* z1 = addButton(QStringLiteral("Zoom100"), QStringLiteral("Gerçek boyut"),
                         QStringLiteral("100"), &TQRStandardPreview::Zoom100Click);
    for (QToolButton* b : {zf, zw, z1}) b->setCheckable(true);
    zw->setChecked(true);
    addSpacer();
    addButton(QStringLiteral("FirstPage"), QStringLiteral("İlk Sayfa"), QStringLiteral("first"),
              &TQRStandardPreview::FirstPageClick);
    addButton(QStringLiteral("PreviousPage"), QStringLiteral("Önceki Sayfa"),
              QStringLiteral("prev"), &TQRStandardPreview::PreviousPageClick);
    addButton(QStringLiteral("ToolButton2"), QStringLiteral("Sonraki Sayfa"),
              QStringLiteral("next"), &TQRStandardPreview::NextPageClick);
    addButton(QStringLiteral("LastPage"), QStringLiteral("Son Sayfa"), QStringLiteral("last"),
              &TQRStandardPreview::LastPageClick);
    addButton(QStringLiteral("GotoPageButton"), QStringLiteral("Sayfa numarasına git"),
              QStringLiteral("goto"), &TQRStandardPreview::GotoPageButtonClick);
    addSpacer();
    addButton(QStringLiteral("FindButton"), QStringLiteral("Metin Arama"), QStringLiteral("find"),
              &TQRStandardPreview::FindButtonClick);
    addSpacer();
    addButton(QStringLiteral("Print"), QStringLiteral("Yazdır"), QStringLiteral("print"),
              &TQRStandardPreview::PrintClick);
    addButton(QStringLiteral("ToolButton7"), QStringLiteral("e-mail gönder"),
              QStringLiteral("mail"), &TQRStandardPreview::ToolButton7Click);
    addSpacer();
    addButton(QStringLiteral("ToolButton10"),
              QStringLiteral("Bu basımı HTML formatında internet için dosyaya kaydet"),
              QStringLiteral("HTM"), &TQRStandardPreview::ToolButton10Click);
    addButton(QStringLiteral("ToolButton4"),
              QStringLiteral("Bu basımı XLS formatında Excel için dosyaya kaydet"),
              QStringLiteral("XLS"), &TQRStandardPreview::ToolButton4Click);
    addButton(QStringLiteral("ToolButton5"),
              QStringLiteral("Bu basımı DOC formatında Word için dosyaya kaydet"),
              QStringLiteral("DOC"), &TQRStandardPreview::ToolButton5Click);
    addButton(QStringLiteral("ToolButton6"),
              QStringLiteral("Bu basımı CSV formatında diğer yazılımlar için dosyaya kaydet"),
              QStringLiteral("CSV"), &TQRStandardPreview::ToolButton6Click);
    addButton(QStringLiteral("ToolButton3"),
              QStringLiteral("Bu basımı PDF formatında Adobe için dosyaya kaydet"),
              QStringLiteral("PDF"), &TQRStandardPreview::ToolButton3Click);
    addSpacer();
    addButton(QStringLiteral("SaveReport"), QStringLiteral("Raporu Kaydet"), QStringLiteral("save"),
              &TQRStandardPreview::SaveClick);
    addButton(QStringLiteral("LoadReport"), QStringLiteral("Rapor Yükle"), QStringLiteral("load"),
              &TQRStandardPreview::LoadClick);
    addButton(QStringLiteral("PrintSetup"), QStringLiteral("Yazıcı Ayarı"), QStringLiteral("setup"),
              &TQRStandardPreview::PrintSetupClick);
    addSpacer();
    QToolButton* exit =
        addButton(QStringLiteral("ExitButton"), QStringLiteral("Önizlemeyi kapatır"), QString(),
                  &TQRStandardPreview::ExitButtonClick);
    exit->setText(QStringLiteral("Kapat"));
    exit->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QFont bold = exit->font();
    bold.setBold(true);
    exit->setFont(bold);

    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setObjectName(QStringLiteral("Splitter1"));
    layout->addWidget(splitter_, 1);

    tabs_ = new QTabWidget(splitter_);
    tabs_->setObjectName(QStringLiteral("Tabs"));
    thumbTab_ = new QWidget;
    thumbTab_->setObjectName(QStringLiteral("PageTab"));
    auto* tl = new QVBoxLayout(thumbTab_);
    tl->setContentsMargins(2, 2, 2, 2);
    thumbGrid_ = new QListWidget(thumbTab_);
    thumbGrid_->setObjectName(QStringLiteral("ThumbGrid"));
    thumbGrid_->setViewMode(QListView::ListMode);
    thumbGrid_->setFlow(QListView::TopToBottom);
    thumbGrid_->setIconSize(QSize(kThumbWidth, int(kThumbWidth * 1.42)));
    thumbGrid_->setSpacing(4);
    thumbGrid_->setUniformItemSizes(false);
    tl->addWidget(thumbGrid_);
    tabs_->addTab(thumbTab_, QStringLiteral("Sayfalar"));

    searchTab_ = new QWidget;
    searchTab_->setObjectName(QStringLiteral("SearchTab"));
    auto* sl = new QVBoxLayout(searchTab_);
    sl->setContentsMargins(2, 2, 2, 2);
    searchFrame_ = new QGroupBox(QStringLiteral("Aranan Metin"), searchTab_);
    searchFrame_->setObjectName(QStringLiteral("GroupBox1"));
    auto* gl = new QVBoxLayout(searchFrame_);
    searchTextLabel_ = new QLabel(searchFrame_);
    searchTextLabel_->setObjectName(QStringLiteral("SearchTextLabel"));
    gl->addWidget(searchTextLabel_);
    sl->addWidget(searchFrame_);
    searchResultBox_ = new QListWidget(searchTab_);
    searchResultBox_->setObjectName(QStringLiteral("SearchResultBox"));
    searchResultBox_->setEnabled(false);
    sl->addWidget(searchResultBox_, 1);
    tabs_->addTab(searchTab_, QStringLiteral("Arama Sonuçları"));

    scroll_ = new QScrollArea(splitter_);
    scroll_->setObjectName(QStringLiteral("QRPreview"));
    scroll_->setBackgroundRole(QPalette::Dark);
    scroll_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    view_ = new PageView(scroll_);
    scroll_->setWidget(view_);
    scroll_->verticalScrollBar()->setTracking(true);
    scroll_->horizontalScrollBar()->setTracking(true);
    scroll_->verticalScrollBar()->setSingleStep(20);
    splitter_->addWidget(tabs_);
    splitter_->addWidget(scroll_);
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({kThumbWidth + 110, 1000});

    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName(QStringLiteral("StatusBar"));
    statusBar_->setSizeGripEnabled(false);
    panel1_ = new QLabel(QStringLiteral("0%"));
    panel1_->setObjectName(QStringLiteral("Panel1"));
    panel1_->setFixedWidth(40);
    panel1_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    panel2_ = new QLabel(QStringLiteral("Page"));
    panel2_->setObjectName(QStringLiteral("Panel2"));
    panel2_->setFixedWidth(120);
    panel3_ = new QLabel(QStringLiteral(" "));
    panel3_->setObjectName(QStringLiteral("Panel3"));
    panel3_->setMinimumWidth(50);
    progressRule_ = new QProgressBar;
    progressRule_->setObjectName(QStringLiteral("ProgressRule"));
    progressRule_->setRange(0, 100);
    progressRule_->setTextVisible(false);
    progressRule_->setFixedSize(120, 8);
    progressRule_->hide();
    for (QLabel* l : {panel1_, panel2_}) {
        l->setFrameShape(QFrame::StyledPanel);
        statusBar_->addWidget(l);
    }
    panel3_->setFrameShape(QFrame::StyledPanel);
    statusBar_->addWidget(panel3_, 1);
    statusBar_->addPermanentWidget(progressRule_);
    layout->addWidget(statusBar_);

    connect(thumbGrid_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            showPage(row + 1);
    });
    connect(searchResultBox_, &QListWidget::itemActivated, this, [this](QListWidgetItem* it) {
        const int n = it->data(Qt::UserRole).toInt();
        if (n > 0)
            showPage(n);
    });
    connect(searchResultBox_, &QListWidget::itemClicked, this, [this](QListWidgetItem* it) {
        const int n = it->data(Qt::UserRole).toInt();
        if (n > 0)
            showPage(n);
    });

    printer_.setFullPage(true);
    resize(1000, 700);
    updateCaption();
    installFilters();
    setPrepared(PreparedReport());
}

TQRStandardPreview::~TQRStandardPreview() = default;

QToolButton* TQRStandardPreview::addButton(const QString& name, const QString& hint,
                                           const QString& glyphKind,
                                           void (TQRStandardPreview::*slot)()) {
    auto* b = new QToolButton(toolBar_);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setAutoRaise(true);
    if (!glyphKind.isEmpty())
        b->setIcon(glyph(glyphKind));
    b->setIconSize(QSize(22, 22));
    b->setFocusPolicy(Qt::NoFocus);
    connect(b, &QToolButton::clicked, this, slot);
    toolBar_->addWidget(b);
    return b;
}

void TQRStandardPreview::addSpacer() {
    auto* b = new QToolButton(toolBar_);
    b->setEnabled(false);
    b->setAutoRaise(true);
    b->setFixedWidth(8);
    b->setFocusPolicy(Qt::NoFocus);
    toolBar_->addWidget(b);
}

void TQRStandardPreview::installFilters() {
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
}

QString TQRStandardPreview::scratchHtmlPath() {
    QString base = qEnvironmentVariable("XDG_CACHE_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.cache");
    return base + QStringLiteral("/tizgen/Dosya.HTM");
}

int TQRStandardPreview::readNumber(const QString& text) {
    int i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    qint64 v = 0;
    while (i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9')) {
        v = std::min<qint64>(v * 10 + (text[i].unicode() - '0'), qint64(1) << 40);
        ++i;
    }
    v = negative ? -v : v;
    return int(std::clamp<qint64>(v, INT_MIN, INT_MAX));
}

void TQRStandardPreview::prepare(Report& r) {
    complete_ = false;
    shownProgress_ = 0;
    for (const char* name : {"Print", "PrintSetup"})
        if (auto* b = findChild<QToolButton*>(QLatin1String(name)))
            b->setEnabled(false);
    auto oldProgress = r.onProgress;
    auto oldPage = r.onPage;
    int pagesSoFar = 0;
    r.onProgress = [&](int p) {
        progress(p);
        if (oldProgress)
            oldProgress(p);
    };
    r.onPage = [&](int n) {
        pagesSoFar = n;
        panel2_->setText(QStringLiteral("Sayfa %1 / %2").arg(std::min(page_, n)).arg(n));
        if (isVisible())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (oldPage)
            oldPage(n);
    };
    try {
        PreparedReport p = r.prepare();
        r.onProgress = oldProgress;
        r.onPage = oldPage;
        setPrepared(std::move(p), r.showThumbnails, r.textSearch);
    } catch (...) {
        r.onProgress = oldProgress;
        r.onPage = oldPage;
        progress(100);
        throw;
    }
}

void TQRStandardPreview::progress(int p) {
    if (p <= 0 || p >= 100) {
        panel1_->setText(QString());
        shownProgress_ = 0;
        progressRule_->setVisible(p <= 0);
        progressRule_->setValue(0);
    } else if (p >= shownProgress_ + 5) {
        shownProgress_ = p;
        panel1_->setText(QStringLiteral("%1%").arg(p));
        progressRule_->setVisible(true);
        progressRule_->setValue(p);
        if (isVisible())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

void TQRStandardPreview::setPrepared(PreparedReport pages, bool thumbnails, bool textSearch) {
    pages_ = std::move(pages);
    complete_ = true;
    page_ = 1;
    const bool anyPane = thumbnails || textSearch;
    tabs_->setTabVisible(tabs_->indexOf(thumbTab_), thumbnails);
    tabs_->setTabVisible(tabs_->indexOf(searchTab_), textSearch);
    tabs_->setVisible(anyPane);
    if (auto* f = findChild<QToolButton*>(QStringLiteral("FindButton")))
        f->setVisible(textSearch);
    searchResultBox_->clear();
    searchResultBox_->setEnabled(false);
    searchTextLabel_->clear();
    for (const char* name : {"Print", "PrintSetup"})
        if (auto* b = findChild<QToolButton*>(QLatin1String(name)))
            b->setEnabled(pageCount() > 0);
    rebuildThumbnails();
    updateCaption();
    showPage(1);
}

void TQRStandardPreview::rebuildThumbnails() {
    const QSignalBlocker block(thumbGrid_);
    thumbGrid_->clear();
    if (pageCount() == 0)
        return;
    const QSizeF px = pages_.pagePx();
    const double scale = kThumbWidth / px.width();
    thumbGrid_->setIconSize(QSize(kThumbWidth, int(std::ceil(px.height() * scale))));
    for (int i = 1; i <= pageCount(); ++i) {
        QImage img =
            pages_.pageImage(i, scale * 2).scaledToWidth(kThumbWidth, Qt::SmoothTransformation);
        QPainter p(&img);
        p.setPen(Qt::black);
        p.drawRect(img.rect().adjusted(0, 0, -1, -1));
        QFont f(QStringLiteral("Liberation Sans"));
        f.setPixelSize(11);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRect(4, 2, 40, 14), Qt::AlignLeft | Qt::AlignTop, QString::number(i));
        p.end();
        auto* item = new QListWidgetItem(QIcon(QPixmap::fromImage(img)), QString());
        item->setToolTip(QStringLiteral("Sayfa %1").arg(i));
        thumbGrid_->addItem(item);
    }
}

void TQRStandardPreview::showPage(int n) {
    const int count = pageCount();
    const int shown = count == 0 ? 1 : std::clamp(n, 1, count);
    page_ = shown;
    applyZoom();
    if (n >= 1 && n <= count) {
        const QSignalBlocker block(thumbGrid_);
        thumbGrid_->setCurrentRow(n - 1);
        if (auto* it = thumbGrid_->item(n - 1))
            thumbGrid_->scrollToItem(it);
    }
    updateStatus();
    emit pageChanged(page_);
}

double TQRStandardPreview::zoomFactor() const {
    const QSizeF px = pages_.pagePx();
    const QSize vp = scroll_->maximumViewportSize() -
                     QSize(2 * PageView::kMargin + 4, 2 * PageView::kMargin + 4);
    switch (zoomMode_) {
        case Zoom::Actual:
            return 1.0;
        case Zoom::Width: {
            // leave room for the vertical scroll bar that a page longer than the view needs
            const int bar = scroll_->verticalScrollBar()->sizeHint().width();
            return std::max(0.05, (vp.width() - bar) / px.width());
        }
        case Zoom::Fit:
            return std::max(0.05, std::min(vp.width() / px.width(), vp.height() / px.height()));
    }
    return 1.0;
}

void TQRStandardPreview::applyZoom() {
    view_->setPage(&pages_, page_, zoomFactor());
}

void TQRStandardPreview::setZoom(Zoom z) {
    zoomMode_ = z;
    const QString names[] = {QStringLiteral("ZoomFit"), QStringLiteral("ZoomToWidth"),
                             QStringLiteral("Zoom100")};
    for (int i = 0; i < 3; ++i)
        if (auto* b = findChild<QToolButton*>(names[i]))
            b->setChecked(int(z) == i);
    applyZoom();
}

void TQRStandardPreview::updateStatus() {
    if (pageCount() > 0)
        panel2_->setText(QStringLiteral("Sayfa %1 / %2").arg(page_).arg(pageCount()));
    panel3_->setText(pages_.title.isEmpty() ? QStringLiteral(" ") : pages_.title);
}

void TQRStandardPreview::updateCaption() {
    setWindowTitle(pages_.title.isEmpty() ? QStringLiteral("Print Preview") : pages_.title);
    updateStatus();
}

void TQRStandardPreview::ZoomFitClick() {
    setZoom(Zoom::Fit);
}
void TQRStandardPreview::ZoomToWidthClick() {
    setZoom(Zoom::Width);
}
void TQRStandardPreview::Zoom100Click() {
    setZoom(Zoom::Actual);
}
void TQRStandardPreview::FirstPageClick() {
    showPage(1);
}
void TQRStandardPreview::PreviousPageClick() {
    showPage(page_ - 1);
}
void TQRStandardPreview::NextPageClick() {
    showPage(page_ + 1);
}
void TQRStandardPreview::LastPageClick() {
    showPage(pageCount());
}

void TQRStandardPreview::GotoPageButtonClick() {
    dialogs::TextRequest r;
    r.caption = QStringLiteral("Sayfa numarası seçin 1 - %1").arg(pageCount());
    r.prompt = QStringLiteral("Gidilecek Sayfa >>");
    r.value = QString::number(page_);
    if (!dialogs::service().askText(r))
        return;
    int n = readNumber(r.value);
    if (n < 1 || n > pageCount())
        n = 1;
    showPage(n);
}

void TQRStandardPreview::FindButtonClick() {
    TSearchDlg dlg(this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    const QString what = dlg.searchText();
    searchResultBox_->setEnabled(true);
    searchTextLabel_->setText(what);
    searchResultBox_->clear();
    for (int p = 1; p <= pageCount(); ++p) {
        if (pages_.pageContains(p, what, dlg.matchCase())) {
            auto* it = new QListWidgetItem(QStringLiteral("Sayfa: %1").arg(p));
            it->setData(Qt::UserRole, p);
            searchResultBox_->addItem(it);
        }
    }
    if (searchResultBox_->count() == 0) {
        searchResultBox_->addItem(QStringLiteral("Aranan metin yok"));
        searchResultBox_->setEnabled(false);
    }
    tabs_->setCurrentWidget(searchTab_);
}

void TQRStandardPreview::PrintClick() {
    if (pageCount() == 0)
        return;
    try {
        if (printer_.outputFormat() == QPrinter::NativeFormat && !printer_.isValid())
            throw Error(QStringLiteral("Yazıcı bulunamadı; yazdırılamadı."));
        printer_.setFullPage(true);
        printer_.setPageLayout(QPageLayout(
            QPageSize(pages_.paperMm, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
            QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        printer_.setDocName(pages_.title);
        int from = 1, to = pageCount();
        if (printerSetUp_ && printer_.printRange() == QPrinter::PageRange) {
            from = std::max(1, printer_.fromPage());
            to = std::min(pageCount(), printer_.toPage() > 0 ? printer_.toPage() : pageCount());
        }
        if (from > to)
            return;
        pages_.paintPages(printer_, from, to);
        if (printer_.printerState() == QPrinter::Error)
            throw Error(QStringLiteral("Yazdırma sırasında bir hata oldu."));
    } catch (const std::exception& e) {
        dialogs::showException(e);
    }
}

void TQRStandardPreview::PrintSetupClick() {
    QPrintDialog dlg(&printer_, this);
    dlg.setWindowTitle(QStringLiteral("Yazıcı Ayarı"));
    dlg.setMinMax(1, std::max(1, pageCount()));
    if (dlg.exec() == QDialog::Accepted)
        printerSetUp_ = true;
}

bool TQRStandardPreview::chooseFile(QString& path) {
    const QString chosen = dialogs::service().saveFile(kaydet_);
    if (chosen.isEmpty())
        return false;
    path = chosen;
    if (QFileInfo(path).suffix().isEmpty() && !kaydet_.defaultExtension.isEmpty())
        path += QLatin1Char('.') + kaydet_.defaultExtension;
    kaydet_.fileName = QFileInfo(path).fileName();
    kaydet_.folder = QFileInfo(path).absolutePath();
    return true;
}

void TQRStandardPreview::exportWith(const QString& title, const QString& filter, const QString& ext,
                                    Format f) {
    kaydet_.title = title;
    kaydet_.filter = filter;
    kaydet_.defaultExtension = ext;
    QString path;
    if (!chooseFile(path))
        return;
    try {
        exportTo(f, pages_, path);
    } catch (const std::exception& e) {
        dialogs::showException(e);
    }
}

void TQRStandardPreview::ToolButton10Click() {
    exportWith(QStringLiteral("Raporu internet sayfası olarak kaydet"),
               QStringLiteral("İnternet Sayfası (*.HTM)|*.HTM"), QStringLiteral("HTM"),
               Format::Html);
}

void TQRStandardPreview::ToolButton4Click() {
    exportWith(QStringLiteral("Raporu Excel sayfası olarak kaydet"),
               QStringLiteral("Excel Dosyası (*.XLS)|*.XLS"), QStringLiteral("XLS"), Format::Xls);
}

void TQRStandardPreview::ToolButton5Click() {
    exportWith(QStringLiteral("Raporu Word sayfası olarak kaydet"),
               QStringLiteral("Word Dosyası (*.DOC)|*.DOC"), QStringLiteral("DOC"), Format::Rtf);
}

void TQRStandardPreview::ToolButton6Click() {
    exportWith(QStringLiteral("Raporu başka programların kullanableceği şekilde kaydet"),
               QStringLiteral("Virgülle Ayrılmış Dosya (*.CSV)|*.CSV"), QStringLiteral("CSV"),
               Format::Csv);
}

void TQRStandardPreview::ToolButton3Click() {
    exportWith(QStringLiteral("Raporu Adobe Acrobat Reader için kaydet"),
               QStringLiteral("Adobe Acrobat Reader Dosyası (*.PDF)|*.PDF"), QStringLiteral("PDF"),
               Format::Pdf);
}

void TQRStandardPreview::SaveClick() {
    QStringList filters;
    for (const FormatInfo& i : formats()) filters << i.filter();
    kaydet_.title = QStringLiteral("Raporu Kaydet");
    kaydet_.filter = filters.join(QLatin1Char('|'));
    kaydet_.defaultExtension = QStringLiteral("QRP");
    QString path;
    if (!chooseFile(path))
        return;
    // The dialog service returns the file name only: its extension tells which entry of the
    // filter was chosen; an unknown one saves the report file.
    const QString ext = QFileInfo(path).suffix().toUpper();
    Format f = Format::Native;
    if (ext == QLatin1String("HTM") || ext == QLatin1String("HTML"))
        f = Format::Html;
    else if (ext == QLatin1String("XLS"))
        f = Format::Xls;
    else if (ext == QLatin1String("RTF") || ext == QLatin1String("DOC"))
        f = Format::Rtf;
    else if (ext == QLatin1String("CSV"))
        f = Format::Csv;
    else if (ext == QLatin1String("PDF"))
        f = Format::Pdf;
    try {
        exportTo(f, pages_, path);
    } catch (const std::exception& e) {
        dialogs::showException(e);
    }
}

void TQRStandardPreview::LoadClick() {
    dialogs::FileRequest r;
    r.title = QStringLiteral("Raporu Yükle");
    r.filter = QStringLiteral("Rapor Dosyası") + QStringLiteral(" (*.") + QStringLiteral("QRP") +
               QStringLiteral(")|*.") + QStringLiteral("QRP");
    r.defaultExtension = QStringLiteral("QRP");
    const QString path = dialogs::service().openFile(r);
    if (path.isEmpty())
        return;
    if (!QFileInfo(path).isFile()) {
        dialogs::Message m;
        m.text = QStringLiteral("File does not exist");
        m.icon = dialogs::Icon::Warning;
        dialogs::service().message(m);
        return;
    }
    try {
        PreparedReport loaded = loadNative(path);
        loaded.title = QFileInfo(path).absoluteFilePath();
        const bool thumbs = tabs_->isTabVisible(tabs_->indexOf(thumbTab_));
        const bool search = tabs_->isTabVisible(tabs_->indexOf(searchTab_));
        setPrepared(std::move(loaded), thumbs || !search, search || !thumbs);
        loaded_ = true;
    } catch (const std::exception& e) {
        dialogs::showException(e);
    }
}

void TQRStandardPreview::ToolButton7Click() {
    dialogs::TextRequest r;
    r.caption = QStringLiteral("Posta gönderilecek adres");
    r.prompt = QStringLiteral("e-Posta adresini yazınız");
    r.value = lastEmail_;
    if (!dialogs::service().askText(r))
        return;
    lastEmail_ = r.value;
    const QString html = scratchHtmlPath();
    try {
        if (!QDir().mkpath(QFileInfo(html).absolutePath()))
            throw Error(
                QStringLiteral("\"%1\" klasörü yapılamadı.").arg(QFileInfo(html).absolutePath()));
        exportHtml(pages_, html);
    } catch (const std::exception& e) {
        dialogs::showException(e);
        return;
    }
    emit emailRequested(lastEmail_, html, pages_.title);
    if (onEmail)
        onEmail(lastEmail_, html, pages_.title);
}

void TQRStandardPreview::ExitButtonClick() {
    close();
}

bool TQRStandardPreview::handleKey(QKeyEvent* e) {
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    switch (e->key()) {
        case Qt::Key_Escape:
            close();
            return true;
        case Qt::Key_PageUp:
            if (mods == Qt::ControlModifier)
                FirstPageClick();
            else
                PreviousPageClick();
            return true;
        case Qt::Key_PageDown:
            if (mods == Qt::ControlModifier)
                LastPageClick();
            else
                NextPageClick();
            return true;
        case Qt::Key_Home:
            FirstPageClick();
            return true;
        case Qt::Key_End:
            LastPageClick();
            return true;
        default:
            return false;
    }
}

bool TQRStandardPreview::eventFilter(QObject* o, QEvent* e) {
    // the window sees the paging keys before its controls
    if (e->type() == QEvent::KeyPress && o->isWidgetType() &&
        static_cast<QWidget*>(o)->window() == this) {
        if (handleKey(static_cast<QKeyEvent*>(e)))
            return true;
    }
    return QDialog::eventFilter(o, e);
}

void TQRStandardPreview::keyPressEvent(QKeyEvent* e) {
    if (!handleKey(e))
        QDialog::keyPressEvent(e);
}

void TQRStandardPreview::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (firstShow_) {
        firstShow_ = false;
        setWindowState(windowState() | Qt::WindowMaximized);
        setZoom(Zoom::Width);
    }
}

void TQRStandardPreview::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    applyZoom();
}

int TQRStandardPreview::preview(Report& r, QWidget* parent) {
    // The report's own set-up runs before the window opens: a layout that cannot be placed
    // opens no preview.
    if (r.beforePrint)
        r.beforePrint(r);
    auto setUp = std::move(r.beforePrint);
    r.beforePrint = nullptr;
    int result = QDialog::Rejected;
    try {
        TQRStandardPreview w(parent);
        w.setWindowModality(Qt::ApplicationModal);
        w.show();
        w.prepare(r);
        result = w.exec();
    } catch (...) {
        r.beforePrint = std::move(setUp);
        throw;
    }
    r.beforePrint = std::move(setUp);
    if (r.afterPreview)
        r.afterPreview(r);
    return result;
}

}  // namespace report
