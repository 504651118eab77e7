#pragma once
// The rules that enable a command or put a check mark on it, read from a state snapshot. The
// id tells the zoom-rate commands which table entry they stand for.
#include "shell/CommandState.h"

using CommandRule = bool (*)(const CommandState& state, int id);

namespace rules {

bool Always(const CommandState& state, int id);
// Commands of the active document or view: enabled only while one is active.
bool WithDocument(const CommandState& state, int id);

bool CanReload(const CommandState& state, int id);
bool NotConverted(const CommandState& state, int id);
bool HasMarkers(const CommandState& state, int id);
bool HasPngGamma(const CommandState& state, int id);
bool HasPngTransparency(const CommandState& state, int id);
bool IncludesComment(const CommandState& state, int id);
bool UsesCustomDqt(const CommandState& state, int id);

bool ClipboardHasImage(const CommandState& state, int id);
bool HasRecentFiles(const CommandState& state, int id);

bool ToolBarVisible(const CommandState& state, int id);
bool ZoomBarVisible(const CommandState& state, int id);
bool ControlBarVisible(const CommandState& state, int id);
bool StatusBarVisible(const CommandState& state, int id);
bool ExifWindowOpen(const CommandState& state, int id);

// 401-412: the id's table entry is the current zoom.
bool ZoomRateIsCurrent(const CommandState& state, int id);
bool CanZoomIn(const CommandState& state, int id);
bool CanZoomOut(const CommandState& state, int id);
bool NotActualSize(const CommandState& state, int id);
bool Selecting(const CommandState& state, int id);

} // namespace rules
