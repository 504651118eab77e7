#include "shell/CommandRules.h"

#include "base/FileExtension.h"
#include "shell/CommandId.h"

namespace {

// The active document's facts, or none.
const ActiveDocumentState* Document(const CommandState& state) {
    return state.documentActive ? &state.document : nullptr;
}

bool IsPng(const ActiveDocumentState* document) {
    return document && document->typeCode == kTypePng;
}

} // namespace

namespace rules {

bool Always(const CommandState&, int) {
    return true;
}

bool WithDocument(const CommandState& state, int) {
    return state.documentActive;
}

bool CanReload(const CommandState& state, int) {
    const ActiveDocumentState* document = Document(state);
    return document && !document->pathEmpty && !document->converted;
}

bool NotConverted(const CommandState& state, int) {
    const ActiveDocumentState* document = Document(state);
    return document && !document->converted;
}

bool HasMarkers(const CommandState& state, int) {
    const ActiveDocumentState* document = Document(state);
    return document && (document->typeCode == kTypeJpeg || document->typeCode == kTypePng);
}

bool HasPngGamma(const CommandState& state, int) {
    const ActiveDocumentState* document = Document(state);
    return IsPng(document) && document->gammaPresent;
}

bool HasPngTransparency(const CommandState& state, int) {
    const ActiveDocumentState* document = Document(state);
    return IsPng(document) && document->transparent;
}

bool IncludesComment(const CommandState& state, int) {
    const ActiveDocumentState* document = Document(state);
    return document && document->includeComment;
}

bool UsesCustomDqt(const CommandState& state, int) {
    const ActiveDocumentState* document = Document(state);
    return document && document->customDqt;
}

bool ClipboardHasImage(const CommandState& state, int) {
    return state.clipboardHasImage;
}

bool HasRecentFiles(const CommandState& state, int) {
    return !state.recentFilesEmpty && !state.recentListCleared;
}

bool ToolBarVisible(const CommandState& state, int) {
    return state.toolBarVisible;
}

bool ZoomBarVisible(const CommandState& state, int) {
    return state.zoomBarVisible;
}

bool ControlBarVisible(const CommandState& state, int) {
    return state.controlBarVisible;
}

bool StatusBarVisible(const CommandState& state, int) {
    return state.statusBarVisible;
}

bool ExifWindowOpen(const CommandState& state, int) {
    return state.exifWindowOpen;
}

bool ZoomRateIsCurrent(const CommandState& state, int id) {
    if (id < ID_ZOOM_RATE_FIRST || id > ID_ZOOM_RATE_LAST) return false;
    const int entry = state.zoomTable[id - ID_ZOOM_RATE_FIRST];
    return state.documentActive && entry != 0 && entry == state.zoom;
}

bool CanZoomIn(const CommandState& state, int) {
    return state.documentActive && ZoomInTarget(state.zoomTable, state.zoom).has_value();
}

bool CanZoomOut(const CommandState& state, int) {
    return state.documentActive && ZoomOutTarget(state.zoomTable, state.zoom).has_value();
}

bool NotActualSize(const CommandState& state, int) {
    return state.documentActive && state.zoom != 100;
}

bool Selecting(const CommandState& state, int) {
    return state.documentActive && state.selecting;
}

} // namespace rules
