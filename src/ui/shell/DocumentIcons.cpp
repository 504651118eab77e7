#include "ui/shell/DocumentIcons.h"

#include "base/FileExtension.h"
#include "ui/kit/IconPainting.h"

#include <QPainter>
#include <map>

namespace {

using namespace IconColor;

constexpr QSize kDocumentIconSize{16, 16};
// The page of a document icon, and the picture area on it.
const QRect kPage(2, 0, 12, 16);
const QRect kPicture(4, 5, 8, 8);

void PaintPlain(QPainter& p) {
    DrawPage(p, kPage);
}

void PaintClipboard(QPainter& p) {
    DrawBox(p, QRect(1, 1, 14, 15), kFolderBack);
    DrawBox(p, QRect(5, 0, 6, 3), kMetal);
    DrawBox(p, QRect(3, 4, 10, 10), kPaper);
    DrawLandscape(p, kPicture);
}

// Fills the picture area with 2 × 2 squares, coloured by their row and column.
template <typename Colouring> void FillSquares(QPainter& p, Colouring colourAt) {
    for (int row = 0; row < kPicture.height() / 2; ++row)
        for (int column = 0; column < kPicture.width() / 2; ++column)
            p.fillRect(QRect(kPicture.left() + column * 2, kPicture.top() + row * 2, 2, 2),
                       colourAt(row, column));
}

// A grid of coloured pixels.
void PaintBmp(QPainter& p) {
    DrawPage(p, kPage);
    const QColor colours[] = {{220, 60, 50}, {60, 170, 70}, {60, 100, 210}, {240, 200, 40}};
    FillSquares(p, [&](int row, int column) { return colours[(row + column) % 4]; });
}

// Red, green and blue bands.
void PaintRgb(QPainter& p) {
    DrawPage(p, kPage);
    const QColor bands[] = {{220, 50, 50}, {50, 170, 60}, {50, 90, 220}};
    for (int band = 0; band < 3; ++band)
        p.fillRect(QRect(kPicture.left(), kPicture.top() + band * 3, kPicture.width(), 2),
                   bands[band]);
}

void PaintJpeg(QPainter& p) {
    DrawPage(p, kPage);
    DrawLandscape(p, kPicture);
}

// A see-through disc over a checkerboard.
void PaintPng(QPainter& p) {
    DrawPage(p, kPage);
    FillSquares(
        p, [](int row, int column) { return (row + column) % 2 ? QColor(200, 200, 200) : kPaper; });
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 120, 220, 150));
    p.drawEllipse(QRectF(kPicture).adjusted(0.5, 0.5, -0.5, -0.5));
}

// Four broad palette colours.
void PaintMag(QPainter& p) {
    DrawPage(p, kPage);
    const QColor palette[] = {{230, 60, 170}, {40, 190, 210}, {250, 210, 40}, {110, 60, 190}};
    for (int cell = 0; cell < 4; ++cell)
        p.fillRect(QRect(kPicture.left() + cell % 2 * 4, kPicture.top() + cell / 2 * 4, 4, 4),
                   palette[cell]);
}

// Two stacked pages: a file of directories and strips.
void PaintTiff(QPainter& p) {
    DrawPage(p, QRect(0, 0, 12, 14));
    DrawPage(p, QRect(3, 2, 12, 14));
    DrawLandscape(p, QRect(5, 7, 8, 7));
}

void PaintApplication(QPainter& p) {
    DrawBox(p, QRect(0, 1, 14, 12), kPaper);
    DrawLandscape(p, QRect(1, 2, 12, 10));
    DrawMagnifier(p, QRect(6, 5, 7, 7));
}

const std::map<int, IconPainter>& DocumentPainters() {
    static const std::map<int, IconPainter> painters = {
        {kTypeClipboard, PaintClipboard}, {kTypeBmp, PaintBmp}, {kTypeRgb, PaintRgb},
        {kTypeJpeg, PaintJpeg},           {kTypePng, PaintPng}, {kTypeMag, PaintMag},
        {kTypeTiff, PaintTiff},
    };
    return painters;
}

} // namespace

QIcon DocumentIcon(int typeCode) {
    const auto found = DocumentPainters().find(typeCode);
    const IconPainter paint = found == DocumentPainters().end() ? PaintPlain : found->second;
    return PaintedIcon(kDocumentIconSize, paint, {1, 2});
}

QIcon ApplicationIcon() {
    return PaintedIcon(kDocumentIconSize, PaintApplication, {1, 2, 3, 4});
}
