#include "ui/imageops/CurveWindow.h"

#include <QPainter>
#include <QPolygon>

namespace {

const QColor kFrameGrey(128, 128, 128);
const QColor kMarkerGrey(192, 192, 192);

QPoint ToQPoint(CurvePoint point) {
    return {point.x, point.y};
}

void DrawMarker(QPainter& painter, const std::array<CurvePoint, 2>& line) {
    painter.drawLine(ToQPoint(line[0]), ToQPoint(line[1]));
}

} // namespace

CCurveWindow::CCurveWindow(const int* gamma, const int* levels, SampleRange range, QWidget* parent)
    : QWidget(parent), model_(gamma, levels, range) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

// The plot is laid out in device pixels, so that its 1-pixel lines stay sharp when scaled.
void CCurveWindow::resizeEvent(QResizeEvent*) {
    const qreal ratio = devicePixelRatioF();
    model_.Resize(qRound(width() * ratio), qRound(height() * ratio));
}

void CCurveWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const qreal ratio = devicePixelRatioF();
    painter.scale(1 / ratio, 1 / ratio);
    painter.fillRect(QRect(0, 0, qRound(width() * ratio), qRound(height() * ratio)), Qt::white);

    // The frame's bottom right corner lies just outside its outline; a stroked QRect covers
    // its width plus one pixel.
    const auto [topLeft, bottomRight] = model_.Frame();
    painter.setPen(QPen(kFrameGrey, 0));
    painter.setBrush(Qt::white);
    painter.drawRect(
        QRect(topLeft.x, topLeft.y, bottomRight.x - topLeft.x - 1, bottomRight.y - topLeft.y - 1));

    painter.setPen(QPen(kMarkerGrey, 0, Qt::DotLine));
    DrawMarker(painter, model_.MinimumMarker());
    DrawMarker(painter, model_.MaximumMarker());

    QPolygon curve;
    for (CurvePoint point : model_.Curve())
        curve << ToQPoint(point);
    painter.setPen(QPen(Qt::black, 0, Qt::DotLine));
    painter.drawPolyline(curve);
}
