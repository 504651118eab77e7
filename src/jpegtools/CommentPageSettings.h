#pragma once
// What the Comment page of the settings stores on OK: the default comment file and its use,
// and the charsets comments are read and written in.
#include "settings/SettingsStore.h"

#include <string>

struct CommentPageValues {
    std::string defaultCommentPath;
    bool defaultComment = false;
    bool autoReadCharset = false;
    int readCharset = -1; // the list's selection, -1 for none
    bool autoWriteCharset = false;
    int writeCharset = -1;
};

// Stores the path and flag, reloads the default comment (decoded by the charset settings as
// they were before), then stores the charset settings; a list without selection leaves its
// charset as it was.
void StoreCommentPage(SettingsStore& settings, const CommentPageValues& values);
