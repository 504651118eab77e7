#pragma once
// A grid of coloured cells, one per value, stretched to a fixed drawing size and centred in the
// widget: an 8 x 8 quantization table, or the 1 x 256 legend strip of the colours.
#include <QImage>
#include <QWidget>
#include <cstdint>

class CQuantTableView : public QWidget {
    Q_OBJECT
public:
    CQuantTableView(int columns, int rows, QSize drawSize, QWidget* parent = nullptr);

    // Shows 64 values in natural order (the low byte of each picks its colour); returns their
    // sum. An 8 x 8 grid only.
    uint32_t SetTable(const uint16_t values[64]);
    // Fills a 1 x 256 grid with the legend: index 1 at the top rising to 255, 0 at the bottom.
    void ShowLegend();
    // Nothing but the background shows before the first values.
    bool HasContent() const { return hasContent_; }
    // The colour index of a cell.
    int CellIndex(int column, int row) const { return cells_.pixelIndex(column, row); }
    // The rectangle the cells are stretched into.
    QRect DrawRect() const;

    QSize sizeHint() const override { return drawSize_; }
    QSize minimumSizeHint() const override { return drawSize_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage cells_;
    QSize drawSize_;
    bool hasContent_ = false;
};
