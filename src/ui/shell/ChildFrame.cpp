#include "ui/shell/ChildFrame.h"

#include "core/ImageDoc.h"
#include "shell/FrameFit.h"
#include "shell/ViewStatusText.h"
#include "ui/kit/TableText.h"
#include "ui/shell/DocumentIcons.h"
#include "ui/shell/ImageView.h"

#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QVBoxLayout>
#include <algorithm>

CChildFrame::CChildFrame(CImageDoc& document, const SettingsStore& settings, bool showStatusBar,
                         QWidget* parent)
    : QWidget(parent), view_(new CImageView(document, settings, this)),
      statusBar_(new QStatusBar(this)), fileSizePane_(new QLabel(statusBar_)),
      zoomPane_(new QLabel(statusBar_)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(view_, 1);
    layout->addWidget(statusBar_);
    statusBar_->setSizeGripEnabled(false);
    statusBar_->addWidget(fileSizePane_, 1);
    statusBar_->addPermanentWidget(zoomPane_);
    zoomPane_->setMinimumWidth(
        zoomPane_->fontMetrics().horizontalAdvance(TableText(StringId::ZoomPaneWidth)));
    zoomPane_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    statusBar_->setVisible(showStatusBar);
    setFocusProxy(view_);
    setWindowTitle(QString::fromStdString(document.Title())); // for the window's first size

    connect(view_, &CImageView::zoomChanged, zoomPane_,
            [this](int zoom) { zoomPane_->setText(QString::fromStdString(ZoomPaneText(zoom))); });
    connect(view_, &CImageView::fileSizeTextChanged, fileSizePane_, &QLabel::setText);
    connect(view_, &CImageView::titleChanged, this, &QWidget::setWindowTitle);
    connect(view_, &CImageView::documentTypeChanged, this, [this](int typeCode) {
        setWindowIcon(DocumentIcon(typeCode));
        HostWindow()->setWindowIcon(windowIcon()); // the MDI window shows it
    });
    connect(view_, &CImageView::fitWindowRequested, this, &CChildFrame::FitToImage);
}

void CChildFrame::OnInitialUpdate() {
    view_->OnInitialUpdate();
}

QString CChildFrame::FileSizeText() const {
    return fileSizePane_->text();
}

QString CChildFrame::ZoomText() const {
    return zoomPane_->text();
}

void CChildFrame::SetStatusBarVisible(bool visible) {
    statusBar_->setVisible(visible);
}

QWidget* CChildFrame::HostWindow() {
    auto* subWindow = qobject_cast<QMdiSubWindow*>(parentWidget());
    return subWindow ? static_cast<QWidget*>(subWindow) : this;
}

void CChildFrame::FitToImage() {
    QWidget* window = HostWindow();
    const QRect area = window->parentWidget() ? window->parentWidget()->rect()
                                              : window->screen()->availableGeometry();
    const QSize viewport = view_->maximumViewportSize();
    const QSize scaled = view_->ScaledLogicalSize();
    FrameFitInput input;
    input.area = {area.width(), area.height()};
    input.position = {window->x() - area.x(), window->y() - area.y()};
    input.chrome = {window->width() - viewport.width(), window->height() - viewport.height()};
    input.scaled = {scaled.width(), scaled.height()};
    const Rect fitted = FitFrameToImage(input);
    window->setGeometry(fitted.left + area.x(), fitted.top + area.y(), fitted.Width(),
                        fitted.Height());
}

QSize CChildFrame::sizeHint() const {
    const QSize hint = QWidget::sizeHint();
    return {std::max(hint.width(), WidthForTitle()), hint.height()};
}

int CChildFrame::WidthForTitle() const {
    auto* host = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!host) return 0;
    const QStyle* style = host->style();
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true); // the active window's title, the wider one
    const QFontMetrics metrics(font);
    const int text = metrics.horizontalAdvance(windowTitle()) + 2 * metrics.averageCharWidth();
    // Icon, buttons and margins take the same room in a title bar of any width.
    QStyleOptionTitleBar option;
    option.initFrom(host);
    option.text = windowTitle();
    option.titleBarFlags = host->windowFlags();
    option.titleBarState = Qt::WindowActive;
    option.subControls = QStyle::SC_All;
    option.rect = QRect(0, 0, text + 1000, style->pixelMetric(QStyle::PM_TitleBarHeight));
    const QRect label =
        style->subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarLabel, host);
    const int border = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, host);
    return option.rect.width() - label.width() + text - 2 * border;
}

CChildFrame* ChildFrameOf(QMdiSubWindow* window) {
    return window ? qobject_cast<CChildFrame*>(window->widget()) : nullptr;
}

CChildFrame* ActiveChildFrame(const QMdiArea& area) {
    return ChildFrameOf(area.currentSubWindow());
}
