#pragma once
// A popup menu built from menu data, with actions of its own that carry their command ids.
#include "shell/MenuLayout.h"

#include <string>
#include <vector>

class QMenu;
class QWidget;

// Captions come from the item, else the zoom labels (kZoomCount of them) for the zoom-rate
// commands, else the command table. Each action's data() is its command id.
QMenu* BuildContextMenu(const std::vector<MenuItem>& layout, const std::string* zoomLabels,
                        QWidget* parent);
