#include "ui/jpegtools/InspectorIcons.h"

#include "ui/kit/IconPainting.h"

#include <QPainter>
#include <QPainterPath>

namespace {

using namespace IconColor;

constexpr QSize kIconSize{16, 16};
const QColor kGreen{40, 150, 60};
const QColor kRed{200, 40, 40};

void Stroke(QPainter& p, const QColor& colour, const QPainterPath& path) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

QPainterPath Polyline(std::initializer_list<QPointF> points) {
    QPainterPath path(*points.begin());
    for (auto point = points.begin() + 1; point != points.end(); ++point)
        path.lineTo(*point);
    return path;
}

void PaintInsert(QPainter& p) {
    DrawBox(p, QRect(1, 1, 10, 13), kPaper);
    p.fillRect(QRect(10, 5, 2, 10), kGreen);
    p.fillRect(QRect(6, 9, 10, 2), kGreen);
}

void PaintDelete(QPainter& p) {
    QPainterPath cross = Polyline({{3.5, 3.5}, {12.5, 12.5}});
    cross.addPath(Polyline({{12.5, 3.5}, {3.5, 12.5}}));
    Stroke(p, kRed, cross);
}

void PaintApply(QPainter& p) {
    Stroke(p, kGreen, Polyline({{2.5, 8.5}, {6.5, 12.5}, {13.5, 3.5}}));
}

void PaintDiscard(QPainter& p) {
    QPainterPath arrow;
    arrow.moveTo(4.5, 6.5);
    arrow.cubicTo(8.5, 2.5, 14.5, 4.5, 13.5, 9.5);
    arrow.cubicTo(12.5, 13.5, 8.5, 13.5, 6.5, 12.5);
    arrow.addPath(Polyline({{4.5, 2.5}, {4.5, 6.5}, {8.5, 6.5}}));
    Stroke(p, kArrow, arrow);
}

} // namespace

QIcon InspectorIconOf(InspectorIcon icon) {
    static const IconPainter kPainters[] = {PaintInsert, PaintDelete, PaintApply, PaintDiscard};
    return PaintedIcon(kIconSize, kPainters[static_cast<int>(icon)], {1, 2});
}
