#pragma once
// The image view's cursors: six drawn in code, 16 x 16 (32 x 32 on a scaled screen) with the
// hot spot at (8, 8), and the window system's cross-hair.
#include "shell/ViewInteraction.h"

#include <QCursor>

QCursor MakeViewCursor(ViewCursor kind, qreal devicePixelRatio);
