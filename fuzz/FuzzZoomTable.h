#pragma once
// A zoom table as the settings hold one: up to kZoomCount positive percentages, strictly
// ascending, ended by 0.
#include "FuzzInput.h"
#include "shell/ZoomSteps.h"

#include <algorithm>

inline ZoomTable DrawZoomTable(FuzzInput& input, int maxZoom) {
    ZoomTable table{};
    const int count = input.Int(0, kZoomCount);
    for (int i = 0; i < count; ++i)
        table[i] = input.Int(1, maxZoom);
    std::sort(table.begin(), table.begin() + count);
    std::fill(std::unique(table.begin(), table.begin() + count), table.end(), 0);
    return table;
}
