#pragma once
// A snapshot of the application state that the enabling and check-mark rules read.
#include "shell/ZoomSteps.h"

#include <string>
#include <vector>

// The facts of the active document the rules look at.
struct ActiveDocumentState {
    int typeCode = 0; // document type code: 132 ... 139, or 0
    bool pathEmpty = true;
    bool converted = false;      // shows the temporary JPEG of a conversion
    bool includeComment = false; // comments are written on save
    bool customDqt = false;      // the JPEG writer uses the custom tables
    bool gammaPresent = false;
    bool transparent = false; // a transparent colour is known
};

struct CommandState {
    bool documentActive = false; // a document window is active (menu 131 instead of 122)
    ActiveDocumentState document;
    // The active view.
    int zoom = 100;
    bool selecting = false; // a rubber-band rectangle is being drawn
    ZoomTable zoomTable{};

    bool clipboardHasImage = false;
    bool toolBarVisible = false;
    bool zoomBarVisible = false;
    bool controlBarVisible = false;
    bool statusBarVisible = false;
    bool exifWindowOpen = false;
    bool recentFilesEmpty = true;
    bool recentListCleared = false; // the list empties at the next update
    // The open document windows in the order they were opened, and the active one's index.
    std::vector<std::string> windowTitles;
    int activeWindow = -1;
};
