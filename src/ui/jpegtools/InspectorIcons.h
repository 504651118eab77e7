#pragma once
// The images of the marker inspector's edit buttons.
#include <QIcon>

enum class InspectorIcon {
    Insert,  // a page with a plus
    Delete,  // a red cross
    Apply,   // a green tick
    Discard, // an arrow turning back
};

QIcon InspectorIconOf(InspectorIcon icon);
