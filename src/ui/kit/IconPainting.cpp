#include "ui/kit/IconPainting.h"

#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <algorithm>

namespace {

QPen OutlinePen() {
    QPen pen(IconColor::kOutline, 1.0);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

QPixmap PaintedPixmap(QSize designSize, IconPainter paint, int sizeFactor, int ratio) {
    QPixmap pixmap(designSize * sizeFactor * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(sizeFactor, sizeFactor);
    paint(painter);
    painter.end();
    return pixmap;
}

} // namespace

QIcon PaintedIcon(QSize designSize, IconPainter paint, std::initializer_list<int> sizeFactors) {
    QIcon icon;
    for (int sizeFactor : sizeFactors)
        for (int ratio : {1, 2})
            icon.addPixmap(PaintedPixmap(designSize, paint, sizeFactor, ratio));
    return icon;
}

QRectF OutlineOf(const QRect& cells) {
    return QRectF(cells).adjusted(0.5, 0.5, -0.5, -0.5);
}

void DrawBox(QPainter& painter, const QRect& cells, const QColor& fill) {
    painter.fillRect(cells, fill);
    painter.setPen(OutlinePen());
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(OutlineOf(cells));
}

void DrawWindow(QPainter& painter, const QRect& cells) {
    DrawBox(painter, cells, IconColor::kPaper);
    painter.fillRect(QRect(cells.left(), cells.top(), cells.width(), 3), IconColor::kTitleBar);
    painter.drawRect(OutlineOf(cells));
}

void DrawLandscape(QPainter& painter, const QRect& cells) {
    const QRectF area(cells);
    painter.save();
    painter.setClipRect(area);
    painter.fillRect(area, IconColor::kSky);
    painter.setPen(Qt::NoPen);
    painter.setBrush(IconColor::kSun);
    const qreal sun = std::max<qreal>(2.0, area.height() / 3);
    painter.drawEllipse(QRectF(area.right() - sun * 1.5, area.top() + sun / 3, sun, sun));
    painter.setBrush(IconColor::kHill);
    painter.drawPolygon(
        QPolygonF({area.bottomLeft(), QPointF(area.left(), area.center().y()),
                   QPointF(area.left() + area.width() * 0.4, area.top() + 1.5),
                   QPointF(area.right(), area.bottom() - area.height() / 4), area.bottomRight()}));
    painter.restore();
}

void DrawPage(QPainter& painter, const QRect& cells) {
    const QRectF page = OutlineOf(cells);
    const qreal fold = std::min<qreal>(3.0, page.width() / 3);
    const QPointF foldTop(page.right() - fold, page.top());
    const QPointF foldSide(page.right(), page.top() + fold);
    painter.setPen(OutlinePen());
    painter.setBrush(IconColor::kPaper);
    painter.drawPolygon(
        QPolygonF({page.topLeft(), foldTop, foldSide, page.bottomRight(), page.bottomLeft()}));
    painter.setBrush(IconColor::kText.lighter(130));
    painter.drawPolygon(QPolygonF({foldTop, QPointF(foldTop.x(), foldSide.y()), foldSide}));
}

void DrawTextLines(QPainter& painter, const QRect& cells) {
    for (int y = cells.top(); y <= cells.bottom(); y += 2)
        painter.fillRect(QRect(cells.left(), y, cells.width(), 1), IconColor::kText);
}

void DrawMagnifier(QPainter& painter, const QRect& lensCells) {
    const QRectF lens = OutlineOf(lensCells);
    const QPointF rim = lens.center() + QPointF(lens.width(), lens.height()) * 0.35;
    QPen handle(IconColor::kOutline, 2.5, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(handle);
    painter.drawLine(rim, rim + QPointF(4, 4));
    painter.setPen(OutlinePen());
    painter.setBrush(QColor(230, 242, 252));
    painter.drawEllipse(lens);
}

void DrawArrow(QPainter& painter, QPointF from, QPointF to, const QColor& color) {
    const QLineF shaft(from, to);
    const QPointF along = shaft.unitVector().p2() - shaft.unitVector().p1();
    const QPointF across(-along.y(), along.x());
    const qreal headLength = std::min<qreal>(3.5, shaft.length() / 2);
    const QPointF headBase = to - along * headLength;
    painter.setPen(QPen(color, 2.0, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(from, headBase + along * 0.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawPolygon(QPolygonF({to, headBase + across * 3.0, headBase - across * 3.0}));
}
