#pragma once
// Drawing the program's icons: a QIcon made of pixmaps painted at several device pixel ratios,
// and the shapes and colours the icons share. Shapes take pixel cells in the icon's logical
// coordinates; their 1-pixel outlines run through cell centres, so they stay sharp at 1x and
// at every whole ratio above it.
#include <QColor>
#include <QIcon>
#include <QRect>
#include <initializer_list>

class QPainter;

namespace IconColor {
inline const QColor kOutline{48, 56, 64};
inline const QColor kPaper{255, 255, 255};
inline const QColor kTitleBar{47, 95, 168};
inline const QColor kSky{127, 184, 232};
inline const QColor kHill{76, 154, 60};
inline const QColor kSun{242, 194, 48};
inline const QColor kFolder{232, 184, 58};
inline const QColor kFolderBack{196, 146, 40};
inline const QColor kArrow{210, 84, 42};
inline const QColor kMetal{150, 160, 170};
inline const QColor kText{150, 160, 175};
} // namespace IconColor

using IconPainter = void (*)(QPainter& painter);

// An icon drawn by `paint` in the coordinates of its design size, offered at that size times
// each of `sizeFactors`, each at device pixel ratios 1 and 2.
QIcon PaintedIcon(QSize designSize, IconPainter paint, std::initializer_list<int> sizeFactors);

// The rectangle whose 1-pixel outline covers exactly the border cells of `cells`.
QRectF OutlineOf(const QRect& cells);
// Fills the cells and outlines their border.
void DrawBox(QPainter& painter, const QRect& cells, const QColor& fill);
// A window: outline, a two-row title bar and a white client area.
void DrawWindow(QPainter& painter, const QRect& cells);
// A small landscape inside the cells: sky, sun and a green hill.
void DrawLandscape(QPainter& painter, const QRect& cells);
// A sheet of paper with a folded top right corner.
void DrawPage(QPainter& painter, const QRect& cells);
// Grey lines of text across the cells, every other row.
void DrawTextLines(QPainter& painter, const QRect& cells);
// A magnifying glass whose lens fills the cells; its handle points to the bottom right.
void DrawMagnifier(QPainter& painter, const QRect& lensCells);
// A filled arrow from `from` to `to` (cell centres), with its head at `to`.
void DrawArrow(QPainter& painter, QPointF from, QPointF to, const QColor& color);
