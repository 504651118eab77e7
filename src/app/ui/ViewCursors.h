#pragma once
// The image view's six cursors, drawn in code: 16 x 16 (32 x 32 on a scaled screen) with the
// hot spot at (8, 8).
#include "app/view/ViewInteraction.h"

#include <QCursor>

QCursor MakeViewCursor(ViewCursor kind, qreal devicePixelRatio);
