// The command rules over random state snapshots: each command id has one table entry, so one
// enabled value; a closed document's stale facts enable nothing of it; the rules that narrow
// another one imply it; zoom in and out go to a larger and a smaller table entry.
#include "FuzzZoomTable.h"
#include "shell/CommandTable.h"

#include <cstdint>

namespace {

constexpr int kMaxZoom = 100000;

void Require(bool holds) {
    if (!holds) __builtin_trap();
}

CommandState DrawState(FuzzInput& input) {
    CommandState state;
    state.documentActive = input.Bool();
    ActiveDocumentState& document = state.document;
    document.typeCode = input.Bool() ? input.Int(131, 140) : input.Int(-1000, 1000);
    document.pathEmpty = input.Bool();
    document.converted = input.Bool();
    document.includeComment = input.Bool();
    document.customDqt = input.Bool();
    document.gammaPresent = input.Bool();
    document.transparent = input.Bool();
    state.zoom = input.Int(1, kMaxZoom);
    state.selecting = input.Bool();
    state.zoomTable = DrawZoomTable(input, kMaxZoom);
    bool* flags[] = {&state.clipboardHasImage, &state.toolBarVisible,   &state.zoomBarVisible,
                     &state.controlBarVisible, &state.statusBarVisible, &state.exifWindowOpen,
                     &state.recentFilesEmpty,  &state.recentListCleared};
    for (bool* flag : flags)
        *flag = input.Bool();
    return state;
}

// Rules that read the active document.
constexpr CommandRule kDocumentRules[] = {
    rules::WithDocument,    rules::CanReload,     rules::NotConverted,
    rules::HasMarkers,      rules::HasPngGamma,   rules::HasPngTransparency,
    rules::IncludesComment, rules::UsesCustomDqt, rules::ZoomRateIsCurrent,
    rules::CanZoomIn,       rules::CanZoomOut,    rules::NotActualSize,
    rules::Selecting};

void CheckTable(const CommandState& state) {
    for (const Command& command : Commands()) {
        Require(FindCommand(command.id) == &command);
        if (state.documentActive) continue;
        for (CommandRule rule : kDocumentRules)
            if (command.enabled == rule) Require(!IsEnabled(command, state));
    }
}

void CheckImplications(const CommandState& state) {
    for (CommandRule rule : kDocumentRules)
        if (rule(state, ID_ZOOM_RATE_FIRST)) Require(state.documentActive);
    if (rules::CanReload(state, 0)) Require(rules::NotConverted(state, 0));
    if (rules::HasPngGamma(state, 0) || rules::HasPngTransparency(state, 0))
        Require(rules::HasMarkers(state, 0));
    for (int id = ID_ZOOM_RATE_FIRST; id <= ID_ZOOM_RATE_LAST; ++id)
        if (rules::ZoomRateIsCurrent(state, id))
            Require(ZoomRateTarget(state.zoomTable, id - ID_ZOOM_RATE_FIRST) == state.zoom);
}

void CheckZoomSteps(const CommandState& state) {
    const std::optional<int> in = ZoomInTarget(state.zoomTable, state.zoom);
    const std::optional<int> out = ZoomOutTarget(state.zoomTable, state.zoom);
    if (in) Require(*in > state.zoom);
    if (out) Require(*out < state.zoom);
    Require(rules::CanZoomIn(state, 0) == (state.documentActive && in.has_value()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const CommandState state = DrawState(input);
    CheckTable(state);
    CheckImplications(state);
    CheckZoomSteps(state);
    return 0;
}
