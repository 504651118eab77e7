#include "ui/shell/CommandIcons.h"

#include "shell/CommandId.h"
#include "ui/kit/IconPainting.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>
#include <map>
#include <numbers>

namespace {

using namespace IconColor;

void PaintOpen(QPainter& p) {
    p.setPen(QPen(kOutline, 1.0));
    p.setBrush(kFolderBack);
    p.drawPolygon(
        QPolygonF({{0.5, 2.5}, {5.5, 2.5}, {6.5, 3.5}, {12.5, 3.5}, {12.5, 13.5}, {0.5, 13.5}}));
    p.setBrush(kFolder);
    p.drawPolygon(QPolygonF({{0.5, 13.5}, {3.5, 6.5}, {15.5, 6.5}, {12.5, 13.5}}));
}

void PaintSaveAs(QPainter& p) {
    DrawBox(p, QRect(1, 0, 14, 14), kTitleBar);
    DrawBox(p, QRect(4, 0, 8, 6), kPaper);
    DrawTextLines(p, QRect(5, 2, 6, 3));
    DrawBox(p, QRect(4, 9, 8, 5), kMetal);
    p.fillRect(QRect(9, 10, 2, 3), kOutline);
}

void PaintJpegConvert(QPainter& p) {
    DrawBox(p, QRect(0, 0, 12, 10), kPaper);
    DrawLandscape(p, QRect(1, 1, 10, 8));
    DrawArrow(p, {7.0, 12.0}, {16.0, 12.0}, kArrow);
}

void PaintCopy(QPainter& p) {
    DrawPage(p, QRect(1, 0, 9, 11));
    DrawTextLines(p, QRect(3, 4, 4, 5));
    DrawPage(p, QRect(6, 4, 9, 11));
    DrawTextLines(p, QRect(8, 8, 5, 5));
}

void PaintPaste(QPainter& p) {
    DrawBox(p, QRect(1, 1, 11, 13), kFolderBack);
    DrawBox(p, QRect(4, 0, 5, 3), kMetal);
    DrawPage(p, QRect(6, 5, 9, 10));
    DrawTextLines(p, QRect(8, 8, 5, 5));
}

QPointF Polar(QPointF centre, double angle, double radius) {
    return centre + QPointF(std::cos(angle), std::sin(angle)) * radius;
}

// A gear of eight teeth around a hole.
void PaintSettings(QPainter& p) {
    constexpr int kTeeth = 8;
    constexpr double kStep = 2 * std::numbers::pi / kTeeth;
    const QPointF centre(8.0, 7.5);
    QPolygonF outline;
    for (int tooth = 0; tooth < kTeeth; ++tooth) {
        const double angle = tooth * kStep;
        outline << Polar(centre, angle - 0.22, 7.0) << Polar(centre, angle + 0.22, 7.0)
                << Polar(centre, angle + 0.36, 5.0) << Polar(centre, angle + kStep - 0.36, 5.0);
    }
    QPainterPath gear;
    gear.addPolygon(outline);
    gear.closeSubpath();
    gear.addEllipse(centre, 2.0, 2.0);
    p.setPen(QPen(kOutline, 1.0));
    p.setBrush(kMetal);
    p.drawPath(gear);
}

void PaintZoomSign(QPainter& p, bool plus) {
    DrawMagnifier(p, QRect(0, 0, 11, 11));
    p.fillRect(QRect(3, 5, 5, 1), kOutline);
    if (plus) p.fillRect(QRect(5, 3, 1, 5), kOutline);
}

void PaintZoomIn(QPainter& p) {
    PaintZoomSign(p, true);
}

void PaintZoomOut(QPainter& p) {
    PaintZoomSign(p, false);
}

// "1:1" in a frame.
void PaintActualSize(QPainter& p) {
    DrawBox(p, QRect(0, 1, 16, 13), kPaper);
    for (int x : {3, 10}) {
        p.fillRect(QRect(x + 1, 3, 2, 9), kOutline);
        p.fillRect(QRect(x, 4, 1, 1), kOutline);
    }
    p.fillRect(QRect(7, 5, 2, 2), kOutline);
    p.fillRect(QRect(7, 9, 2, 2), kOutline);
}

// Two windows showing the same picture, joined by a double arrow.
void PaintSync(QPainter& p) {
    for (int x : {0, 9}) {
        DrawWindow(p, QRect(x, 0, 7, 9));
        DrawLandscape(p, QRect(x + 1, 3, 5, 5));
    }
    DrawArrow(p, {8.0, 12.0}, {16.0, 12.0}, kArrow);
    DrawArrow(p, {8.0, 12.0}, {0.0, 12.0}, kArrow);
}

// A window whose frame closes in on its picture.
void PaintFitWindow(QPainter& p) {
    DrawWindow(p, QRect(0, 0, 16, 15));
    DrawLandscape(p, QRect(3, 5, 10, 7));
    p.setPen(QPen(kArrow, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(OutlineOf(QRect(2, 4, 12, 9)));
}

void PaintCascade(QPainter& p) {
    for (int step : {0, 3, 6})
        DrawWindow(p, QRect(step, step, 10, 9));
}

void PaintTileHorizontally(QPainter& p) {
    DrawWindow(p, QRect(0, 0, 16, 7));
    DrawWindow(p, QRect(0, 8, 16, 7));
}

void PaintTileVertically(QPainter& p) {
    DrawWindow(p, QRect(0, 0, 7, 15));
    DrawWindow(p, QRect(9, 0, 7, 15));
}

const std::map<int, IconPainter>& Painters() {
    static const std::map<int, IconPainter> painters = {
        {ID_FILE_OPEN, PaintOpen},
        {ID_FILE_SAVE_AS, PaintSaveAs},
        {ID_JPEG_CONVERT, PaintJpegConvert},
        {ID_EDIT_COPY, PaintCopy},
        {ID_EDIT_PASTE, PaintPaste},
        {ID_SETTINGS, PaintSettings},
        {ID_ZOOM_UP, PaintZoomIn},
        {ID_ZOOM_DOWN, PaintZoomOut},
        {ID_ZOOM_ORIGINAL, PaintActualSize},
        {ID_ZOOM_SYNC, PaintSync},
        {ID_FIT_WINDOW, PaintFitWindow},
        {ID_WINDOW_CASCADE, PaintCascade},
        {ID_WINDOW_TILE_HORZ, PaintTileHorizontally},
        {ID_WINDOW_TILE_VERT, PaintTileVertically},
    };
    return painters;
}

} // namespace

QIcon CommandIcon(int commandId) {
    const auto found = Painters().find(commandId);
    if (found == Painters().end()) return {};
    return PaintedIcon(kToolButtonSize, found->second, {1});
}
