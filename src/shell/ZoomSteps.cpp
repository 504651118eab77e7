#include "shell/ZoomSteps.h"

#include <algorithm>

namespace {

std::optional<int> PositiveEntry(const ZoomTable& table, int position) {
    if (position < 0 || position >= kZoomCount || table[position] <= 0) return std::nullopt;
    return table[position];
}

} // namespace

ZoomTable ZoomTableOf(const SettingsStore& settings) {
    ZoomTable table{};
    std::copy(std::begin(settings.zoomTable), std::end(settings.zoomTable), table.begin());
    return table;
}

int ZoomIndex(const ZoomTable& table, int zoom) {
    int position = 0;
    while (position < kZoomCount && table[position] != 0 && table[position] < zoom)
        ++position;
    if (position == kZoomCount || table[position] == 0) --position;
    return position;
}

std::optional<int> ZoomInTarget(const ZoomTable& table, int zoom) {
    return PositiveEntry(table, ZoomIndex(table, zoom) + 1);
}

std::optional<int> ZoomOutTarget(const ZoomTable& table, int zoom) {
    int position = ZoomIndex(table, zoom);
    if (position <= 0) return std::nullopt;
    return PositiveEntry(table, position - 1);
}

std::optional<int> ZoomRateTarget(const ZoomTable& table, int position) {
    return PositiveEntry(table, position);
}
