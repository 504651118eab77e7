#pragma once
// The program's icons: SVG drawings in its resources (src/ui/icons), which Qt's
// SVG icon engine draws at whatever size and device pixel ratio a widget asks
// for. The drawings put their 1-pixel lines on the pixel centres of their
// design size, so that the lines stay sharp at 1x and at every whole ratio
// above it.
#include <QIcon>

// The icon drawn by ":/icons/<name>.svg".
QIcon SvgIcon(const char* name);
