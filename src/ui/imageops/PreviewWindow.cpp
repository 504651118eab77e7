#include "ui/imageops/PreviewWindow.h"

#include "ui/kit/ViewCursors.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>

namespace {

const QColor kBackground(128, 128, 128);

} // namespace

CPreviewWindow::CPreviewWindow(const uint8_t* picture, const PixelLayout& layout, const int* gamma,
                               const int* levels, bool smooth, QWidget* parent)
    : QWidget(parent), model_(static_cast<int>(layout.width), static_cast<int>(layout.height)),
      pixels_(picture, layout), gamma_(gamma), levels_(levels), smooth_(smooth) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    ShowModeCursor();
}

void CPreviewWindow::ApplyTransfer() {
    pixels_.Transfer(gamma_, levels_);
    update();
}

void CPreviewWindow::SetMode(PreviewMode mode) {
    model_.SetMode(mode);
    Resample();
    ShowModeCursor();
}

void CPreviewWindow::ToggleMode() {
    SetMode(model_.Mode() == PreviewMode::Whole ? PreviewMode::Detail : PreviewMode::Whole);
}

void CPreviewWindow::resizeEvent(QResizeEvent*) {
    const qreal ratio = devicePixelRatioF();
    model_.Resize(qRound(width() * ratio), qRound(height() * ratio));
    Resample();
}

void CPreviewWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPointF device = event->position() * devicePixelRatioF();
    model_.Click(static_cast<int>(device.x()), static_cast<int>(device.y()));
    Resample();
    ShowModeCursor();
}

void CPreviewWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const qreal ratio = devicePixelRatioF();
    painter.scale(1 / ratio, 1 / ratio);
    painter.fillRect(QRect(0, 0, qRound(width() * ratio), qRound(height() * ratio)), kBackground);
    if (pixels_.Width() == 0 || pixels_.Height() == 0) return;
    const PreviewRect at = model_.Mode() == PreviewMode::Whole ? model_.Fitted() : model_.Detail();
    const QImage shown(reinterpret_cast<const uchar*>(pixels_.Shown().data()), pixels_.Width(),
                       pixels_.Height(), pixels_.Width() * 4, QImage::Format_RGB32);
    painter.drawImage(QPoint(at.x, at.y), shown);
}

void CPreviewWindow::Resample() {
    pixels_.Sample(model_, smooth_);
    ApplyTransfer();
}

void CPreviewWindow::ShowModeCursor() {
    const bool zoomIn = model_.CursorId() == kZoomInCursor;
    setCursor(
        MakeViewCursor(zoomIn ? ViewCursor::ZoomIn : ViewCursor::ZoomOut, devicePixelRatioF()));
}
