#pragma once
// Stepping through the zoom table by position.
#include "app/settings/SettingsStore.h"

#include <array>

// Up to twelve ascending percentages; the first 0 ends the table.
using ZoomTable = std::array<int, kZoomCount + 1>;

// The position of the first entry not below zoom; the last valid position when every entry
// is below it (0 for an empty table).
int ZoomIndex(const ZoomTable& table, int zoom);
