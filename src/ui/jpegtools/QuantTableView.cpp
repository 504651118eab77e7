#include "ui/jpegtools/QuantTableView.h"

#include "base/QuantSum.h"
#include "jpegtools/DqtColourMap.h"

#include <QPainter>

namespace {

QList<QRgb> ColourTable() {
    QList<QRgb> colours;
    for (const MapColour& colour : DqtColourMap())
        colours << qRgb(colour.red, colour.green, colour.blue);
    return colours;
}

} // namespace

CQuantTableView::CQuantTableView(int columns, int rows, QSize drawSize, QWidget* parent)
    : QWidget(parent), cells_(columns, rows, QImage::Format_Indexed8), drawSize_(drawSize) {
    cells_.setColorTable(ColourTable());
    cells_.fill(0);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

uint32_t CQuantTableView::SetTable(const uint16_t values[64]) {
    for (int i = 0; i < 64; ++i)
        cells_.setPixel(i % 8, i / 8, values[i] & 0xFF);
    hasContent_ = true;
    update();
    return SumQuantTable(values);
}

void CQuantTableView::ShowLegend() {
    for (int row = 0; row < cells_.height(); ++row)
        cells_.setPixel(0, row, LegendIndex(row));
    hasContent_ = true;
    update();
}

QRect CQuantTableView::DrawRect() const {
    const QPoint origin((width() - drawSize_.width()) / 2, (height() - drawSize_.height()) / 2);
    return QRect(origin, drawSize_);
}

void CQuantTableView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().button());
    if (hasContent_) painter.drawImage(DrawRect(), cells_); // nearest pixel: sharp cells
}
