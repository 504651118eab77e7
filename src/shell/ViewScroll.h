#pragma once
// Scrolling the image view by keyboard and by dragging; every result stays inside the scroll
// range 0 .. scaled size - client size.
#include "shell/ViewGeometry.h"

enum class ScrollKey { Left, Right, Up, Down, PageUp, PageDown };

// Arrows move one pixel, Page Up/Down sixteen vertically; the step grows with a zoom above 100
// (times zoom / 100) and sixteenfold with Shift.
Point KeyScroll(const ViewState& view, ScrollKey key, bool shift);

// Dragging moves the picture with the pointer: the scroll position at the press plus the
// pointer's way back from the pressed point, within 0 .. limit (MaxScroll at the press).
Point DragScroll(Point pressScroll, Point pressPoint, Point pointer, Point limit);

// The scroll bars' arrow step on each axis: a tenth of the client area, at least one pixel.
Size ScrollLineStep(Size client);
