#pragma once
#include "settings/SettingsStore.h"

#include <optional>
#include <string>

// Copies the control bar's values into Param1-Param3. The quality field reads as an unsigned
// number (empty or not a number: 0); above 100 it becomes 100, beyond a signed int 0. Returns
// the text the field must show when the value had to be changed.
std::optional<std::string> CommitControlBar(SettingsStore& store, const std::string& qualityField,
                                            int samplingSelection, int encodingSelection);
