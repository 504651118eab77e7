#include "ui/kit/ViewCursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// Every shape is drawn white with a black outline, so that it shows on any picture.
void Outlined(QPainter& painter, const QPainterPath& path) {
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawPath(path);
}

// A hand: palm with four fingers, stretched out (open) or bent in (closed).
void DrawHand(QPainter& painter, bool open) {
    QPainterPath hand;
    const qreal fingerTop = open ? 1.5 : 5.5;
    for (int finger = 0; finger < 4; ++finger)
        hand.addRoundedRect(QRectF(3.5 + finger * 2.5, fingerTop, 2.5, 9 - fingerTop), 1, 1);
    hand.addRoundedRect(QRectF(3.5, 7.5, 10, 7), 2, 2);
    hand.addRoundedRect(QRectF(0.5, open ? 6.5 : 8.5, 4, 2.5), 1, 1); // thumb
    Outlined(painter, hand.simplified());
}

// A magnifier: lens around (7, 7) and a handle to the bottom right, with "+" or "-" inside.
void DrawMagnifier(QPainter& painter, bool plus) {
    painter.setPen(QPen(Qt::black, 2.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(11, 11), QPointF(14.5, 14.5));
    QPainterPath lens;
    lens.addEllipse(QPointF(7, 7), 5.5, 5.5);
    Outlined(painter, lens);
    painter.setPen(QPen(Qt::black, 1.5));
    painter.drawLine(QPointF(4.5, 7), QPointF(9.5, 7));
    if (plus) painter.drawLine(QPointF(7, 4.5), QPointF(7, 9.5));
}

void DrawDottedRect(QPainter& painter, const QRectF& rect) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(rect);
}

// An arrow whose tip is the hot spot, beside a dotted rectangle.
void DrawArrowWithRect(QPainter& painter) {
    DrawDottedRect(painter, QRectF(0.5, 0.5, 7, 7));
    QPainterPath arrow;
    arrow.addPolygon(
        QPolygonF({QPointF(8, 8), QPointF(8, 15.5), QPointF(10, 13.5), QPointF(11.5, 15.5),
                   QPointF(13, 14.5), QPointF(11.5, 12.5), QPointF(14.5, 12.5), QPointF(8, 8)}));
    Outlined(painter, arrow);
}

void DrawCursor(QPainter& painter, ViewCursor kind) {
    switch (kind) {
    case ViewCursor::OpenHand:
    case ViewCursor::ClosedHand:
        DrawHand(painter, kind == ViewCursor::OpenHand);
        break;
    case ViewCursor::ZoomIn:
    case ViewCursor::ZoomOut:
        DrawMagnifier(painter, kind == ViewCursor::ZoomIn);
        break;
    case ViewCursor::ZoomInRect:
        DrawMagnifier(painter, true);
        DrawDottedRect(painter, QRectF(10.5, 0.5, 5, 5));
        break;
    case ViewCursor::ArrowRect:
        DrawArrowWithRect(painter);
        break;
    case ViewCursor::CrossHair:
        break;
    }
}

} // namespace

QCursor MakeViewCursor(ViewCursor kind, qreal devicePixelRatio) {
    if (kind == ViewCursor::CrossHair) return QCursor(Qt::CrossCursor);
    const int scale = devicePixelRatio > 1.25 ? 2 : 1;
    QPixmap image(16 * scale, 16 * scale);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, scale > 1);
    DrawCursor(painter, kind);
    painter.end();
    return QCursor(image, 8, 8);
}
