#include "app/ui/DocumentIcon.h"

#include "app/util/FileExtension.h"

#include <QPainter>
#include <QPixmap>

namespace {

// The band colour that tells the types apart; grey for an unknown code.
QColor TypeColor(int typeCode) {
    switch (typeCode) {
    case kTypeClipboard:
        return QColor(150, 110, 60);
    case kTypeBmp:
        return QColor(40, 90, 200);
    case kTypeRgb:
        return QColor(200, 40, 40);
    case kTypeJpeg:
        return QColor(30, 150, 60);
    case kTypePng:
        return QColor(230, 130, 20);
    case kTypeMag:
        return QColor(140, 50, 170);
    case kTypeTiff:
        return QColor(20, 140, 150);
    default:
        return QColor(128, 128, 128);
    }
}

// A sheet with a folded corner and a coloured band, in a square of the given side.
QPixmap DrawSheet(int side, const QColor& band) {
    QPixmap sheet(side, side);
    sheet.fill(Qt::transparent);
    QPainter painter(&sheet);
    painter.scale(side / 16.0, side / 16.0);
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::white);
    painter.drawPolygon(QPolygonF({QPointF(2.5, 0.5), QPointF(10.5, 0.5), QPointF(13.5, 3.5),
                                   QPointF(13.5, 15.5), QPointF(2.5, 15.5)}));
    painter.fillRect(QRectF(3, 7, 10, 6), band);
    painter.drawPolyline(QPolygonF({QPointF(10.5, 0.5), QPointF(10.5, 3.5), QPointF(13.5, 3.5)}));
    return sheet;
}

} // namespace

QIcon DocumentIcon(int typeCode) {
    QIcon icon;
    for (int side : {16, 32})
        icon.addPixmap(DrawSheet(side, TypeColor(typeCode)));
    return icon;
}
