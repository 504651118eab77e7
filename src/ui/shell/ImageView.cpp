#include "ui/shell/ImageView.h"

#include "core/ImageDoc.h"
#include "settings/SettingsStore.h"
#include "shell/ViewScroll.h"
#include "shell/ViewStatusText.h"
#include "ui/kit/ViewCursors.h"
#include "ui/shell/ClipboardPicture.h"
#include "ui/shell/ContextMenu.h"
#include "ui/shell/ToQImage.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>
#include <cmath>

CImageView::CImageView(CImageDoc& document, const SettingsStore& settings, QWidget* parent)
    : QAbstractScrollArea(parent), document_(&document), settings_(settings) {
    document.AddView(this);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setContextMenuPolicy(Qt::PreventContextMenu);
    viewport()->setContextMenuPolicy(Qt::PreventContextMenu);
    viewport()->setMouseTracking(true);
    // The view paints every pixel itself: the picture and the checkerboard around it.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    for (int kind = 0; kind < static_cast<int>(cursors_.size()); ++kind)
        cursors_[kind] = MakeViewCursor(static_cast<ViewCursor>(kind), devicePixelRatioF());
    UpdateCursor();
    // The user's own use of the scroll bars (or the wheel) ends the initial centring.
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()})
        connect(bar, &QAbstractSlider::actionTriggered, this, [this] { keepCentred_ = false; });
}

CImageView::~CImageView() {
    if (document_) document_->RemoveView(this);
}

void CImageView::OnInitialUpdate() {
    zoom_ = kActualSizeZoom;
    if (document_) OnUpdate(*document_, kUpdateRepaint);
    if (settings_.autoFitting) emit fitWindowRequested();
    keepCentred_ = true;
    Centre();
}

void CImageView::Centre() {
    const Point centred = CentredScroll(State().Scaled(), ClientSize());
    horizontalScrollBar()->setValue(centred.x);
    verticalScrollBar()->setValue(centred.y);
}

void CImageView::OnUpdate(CDocument&, int hint) {
    // The zoom stays; the scroll range follows the picture's size, keeping the position.
    TakeScaledSize();
    emit fileSizeTextChanged(QString::fromStdString(FileSizePaneText(document_->Facts().fileSize)));
    emit documentTypeChanged(document_->DocType());
    emit titleChanged(QString::fromStdString(document_->Title()));
    if (hint == kUpdateRepaint) viewport()->update();
    emit documentChanged();
}

void CImageView::OnTitleChanged(CDocument& document) {
    emit titleChanged(QString::fromStdString(document.Title()));
    emit documentChanged();
}

void CImageView::OnDocumentClosing(CDocument&) {
    document_ = nullptr;
    EndSelection();
    interaction_.LoseFocus();
    TakeScaledSize();
    viewport()->update();
    emit documentClosed();
}

ZoomTable CImageView::Table() const {
    return ZoomTableOf(settings_);
}

Size CImageView::ImageSize() const {
    if (!document_) return {};
    return {document_->ImageWidth(), document_->ImageHeight()};
}

Point CImageView::ToDevice(QPointF logical) const {
    const qreal ratio = devicePixelRatioF();
    return {static_cast<int>(std::floor(logical.x() * ratio)),
            static_cast<int>(std::floor(logical.y() * ratio))};
}

Size CImageView::ClientSize() const {
    Point corner = ToDevice(QPointF(viewport()->width(), viewport()->height()));
    return {corner.x, corner.y};
}

Point CImageView::ScrollPosition() const {
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

QSize CImageView::ScaledLogicalSize() const {
    const Size scaled = State().Scaled();
    const qreal ratio = devicePixelRatioF();
    return {static_cast<int>(std::ceil(scaled.width / ratio)),
            static_cast<int>(std::ceil(scaled.height / ratio))};
}

QSize CImageView::sizeHint() const {
    const int frame = 2 * frameWidth();
    return ScaledLogicalSize() + QSize(frame, frame);
}

ViewState CImageView::State() const {
    return {zoom_, ImageSize(), ClientSize(), ScrollPosition()};
}

void CImageView::FillCommandState(CommandState& state) const {
    state.zoom = zoom_;
    state.selecting = Selecting();
    state.zoomTable = Table();
}

void CImageView::UpdateScrollRanges() {
    const ViewState view = State();
    // A picture that fits the view without scroll bars needs none, whether they show now or not;
    // otherwise a window sized to the picture would keep the bars it had.
    const QSize roomy = maximumViewportSize();
    const Point room = ToDevice(QPointF(roomy.width(), roomy.height()));
    const Size scaled = view.Scaled();
    const bool fits = scaled.width <= room.x && scaled.height <= room.y;
    const Point limit = fits ? Point{0, 0} : MaxScroll(scaled, view.client);
    horizontalScrollBar()->setRange(0, limit.x);
    verticalScrollBar()->setRange(0, limit.y);
    horizontalScrollBar()->setPageStep(view.client.width);
    verticalScrollBar()->setPageStep(view.client.height);
    const Size line = ScrollLineStep(view.client);
    horizontalScrollBar()->setSingleStep(line.width);
    verticalScrollBar()->setSingleStep(line.height);
}

void CImageView::ScrollTo(Point scroll) {
    keepCentred_ = false;
    horizontalScrollBar()->setValue(scroll.x);
    verticalScrollBar()->setValue(scroll.y);
}

void CImageView::TakeScaledSize() {
    UpdateScrollRanges();
    emit zoomChanged(zoom_);
}

void CImageView::ApplyZoomChange(const ZoomChange& change) {
    zoom_ = change.zoom;
    TakeScaledSize();
    ScrollTo(change.scroll);
    if (change.changed) viewport()->update();
}

void CImageView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRanges();
    if (keepCentred_) Centre();
}

void CImageView::scrollContentsBy(int, int) {
    viewport()->update();
}

int CImageView::SetZoom(int zoom, std::optional<Point> anchor) {
    ApplyZoomChange(ChangeZoom(State(), zoom, anchor));
    return zoom_;
}

void CImageView::ZoomIn() {
    if (std::optional<int> zoom = ZoomInTarget(Table(), zoom_)) SetZoom(*zoom);
}

void CImageView::ZoomOut() {
    if (std::optional<int> zoom = ZoomOutTarget(Table(), zoom_)) SetZoom(*zoom);
}

void CImageView::ActualSize() {
    SetZoom(kActualSizeZoom, Point{0, 0});
}

void CImageView::ZoomRate(int position) {
    if (std::optional<int> zoom = ZoomRateTarget(Table(), position)) SetZoom(*zoom);
}

void CImageView::ZoomToSelection() {
    if (!Selecting()) return;
    const ZoomTarget target = ZoomToRect(State(), Table(), Selection());
    SetZoom(target.zoom, target.anchor);
}

void CImageView::SyncViews(const std::vector<CImageView*>& others) {
    const ViewState view = State();
    for (CImageView* other : others)
        if (other && other != this && other->document_)
            other->ApplyZoomChange(SyncView(view, other->State()));
}

bool CImageView::HasSelectedArea() const {
    return band_ && band_->Width() > 0 && band_->Height() > 0;
}

bool CImageView::Copy() const {
    if (!document_) return false;
    const QImage picture = ToQImage(document_->Image());
    if (picture.isNull()) return false;
    QImage copied;
    if (HasSelectedArea()) {
        const Rect region = SelectedImageRegion(Selection(), ScrollPosition(), zoom_);
        if (region.Width() <= 0 || region.Height() <= 0) return false;
        // Parts of the selection beyond the picture stay black.
        copied = picture.copy(region.left, region.top, region.Width(), region.Height());
    } else {
        copied = picture.copy();
    }
    QGuiApplication::clipboard()->setMimeData(new CClipboardPicture(std::move(copied)));
    return true;
}

QMenu* CImageView::CreateContextMenu(QWidget* parent) const {
    return BuildContextMenu(ViewContextMenu(Table(), HasSelectedArea()), settings_.zoomLabels,
                            parent);
}
