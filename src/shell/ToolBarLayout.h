#pragma once
// The buttons of the two tool bars as command ids; ID_SEPARATOR leaves a gap.
#include <vector>

// Tool bar 122: files, conversion, clipboard and settings.
const std::vector<int>& MainToolBar();
// Tool bar 123, the zoom bar: zoom steps, fitting and window arrangement.
const std::vector<int>& ZoomToolBar();
