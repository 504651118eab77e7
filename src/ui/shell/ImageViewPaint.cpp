// Painting of the image view, in device pixels: the visible part of the picture straight from
// the document's pixel store, the checkerboard around it and the rubber band.
#include "core/ImageDoc.h"
#include "settings/SettingsStore.h"
#include "shell/ViewPaint.h"
#include "ui/shell/ImageView.h"
#include "ui/shell/ToQImage.h"

#include <QPainter>
#include <QRegion>

namespace {

// 8 x 8 pixels of the 16 x 16 checkerboard of 4 x 4 squares; it repeats with period 8.
const QImage& CheckerTile() {
    static const QImage tile = [] {
        QImage image(8, 8, QImage::Format_RGB32);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                image.setPixel(x, y,
                               (x / 4 + y / 4) % 2 ? qRgb(255, 255, 255) : qRgb(192, 192, 192));
        return image;
    }();
    return tile;
}

QRect ToQRect(Point origin, Size size) {
    return {origin.x, origin.y, size.width, size.height};
}

// A view coordinate in the client area of a view scrolled to scroll.
QPoint InClient(Point view, Point scroll) {
    return QPoint(view.x, view.y) - QPoint(scroll.x, scroll.y);
}

} // namespace

void CImageView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const qreal ratio = devicePixelRatioF();
    painter.scale(1 / ratio, 1 / ratio);
    const ViewState view = State();
    PaintBackground(painter, view);
    PaintPicture(painter, view);
    if (band_) PaintSelection(painter);
}

// The checkerboard fills the client area outside the picture, starting its tile at the
// scroll position's phase so that it moves with the picture.
void CImageView::PaintBackground(QPainter& painter, const ViewState& view) const {
    const QRect picture(InClient({}, view.scroll),
                        QSize(view.Scaled().width, view.Scaled().height));
    const QRegion outside = QRegion(ToQRect({}, view.client)).subtracted(picture);
    const Point phase = CheckerPhase(view.scroll);
    QBrush checker(CheckerTile());
    checker.setTransform(QTransform::fromTranslate(-phase.x, -phase.y));
    for (const QRect& part : outside)
        painter.fillRect(part, checker);
}

void CImageView::PaintPicture(QPainter& painter, const ViewState& view) const {
    if (!document_) return;
    const QImage picture = ToQImage(document_->Image());
    if (picture.isNull()) return;
    const PaintRegion region = RegionToPaint(view);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, settings_.useHalfToneStretch != 0);
    painter.drawImage(QRect(InClient(region.destination, view.scroll),
                            QSize(region.destinationSize.width, region.destinationSize.height)),
                      picture, ToQRect(region.source, region.sourceSize));
}

// The rubber band as a dotted focus rectangle, visible on light and dark pixels alike.
void CImageView::PaintSelection(QPainter& painter) const {
    const QRect band(band_->left, band_->top, band_->Width(), band_->Height());
    if (band.isEmpty()) return;
    const QRect outline = band.adjusted(0, 0, -1, -1);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 0));
    painter.drawRect(outline);
    painter.setPen(QPen(Qt::black, 0, Qt::DotLine));
    painter.drawRect(outline);
}
