#pragma once
// The button images of the two tool bars: drawings of 16 × 15 logical pixels.
#include <QIcon>
#include <QSize>

inline constexpr QSize kToolButtonSize{16, 15};

// The button image of a command of tool bar 122 or 123; a null icon for any
// other command.
QIcon CommandIcon(int commandId);
