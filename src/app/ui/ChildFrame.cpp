#include "app/ui/ChildFrame.h"

#include "app/ui/DocumentIcons.h"
#include "app/ui/ImageView.h"
#include "app/util/StringTable.h"
#include "app/view/FrameFit.h"
#include "app/view/ViewStatusText.h"

#include <QLabel>
#include <QMdiSubWindow>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>

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
    zoomPane_->setMinimumWidth(zoomPane_->fontMetrics().horizontalAdvance(
        QString::fromStdString(LoadString(StringId::ZoomPaneWidth))));
    zoomPane_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    statusBar_->setVisible(showStatusBar);
    setFocusProxy(view_);

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
