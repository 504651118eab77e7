#pragma once
// Stepping through the zoom table (SettingsStore::zoomTable): up to kZoomCount percentages in
// ascending order, ended by 0. Every step goes by table position, so a zoom between two entries
// counts as the larger one. Only positive entries are offered as targets.
#include "settings/SettingsStore.h"

#include <array>
#include <optional>

using ZoomTable = std::array<int, kZoomCount + 1>;

// The settings' zoom table.
ZoomTable ZoomTableOf(const SettingsStore& settings);

// The position of the first entry not below zoom; the last entry's position when every entry
// is below; -1 when the table is empty.
int ZoomIndex(const ZoomTable& table, int zoom);
// The entry after / before ZoomIndex(zoom): what zoom in and zoom out go to. None means the
// command is disabled.
std::optional<int> ZoomInTarget(const ZoomTable& table, int zoom);
std::optional<int> ZoomOutTarget(const ZoomTable& table, int zoom);
// The entry that the zoom-rate command with this position (0 for the first) sets.
std::optional<int> ZoomRateTarget(const ZoomTable& table, int position);
