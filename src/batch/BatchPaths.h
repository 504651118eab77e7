#pragma once
// Directory texts of the batch commands: the roots of a walk and the folders the batch dialogs
// pick.
#include <string>

// Appends "/" unless the text already ends with one; an empty text stays empty.
std::string EnsureTrailingSlash(const std::string& path);

// The directory as the walk holds it: absolute, symbolic links resolved, without a trailing
// "/" (so the root directory becomes ""). False when the path is not a directory that can be
// entered.
bool NormaliseRoot(const std::string& path, std::string& root);

// A directory that is still to be made as the walk would hold it: absolute and without "." and
// ".." steps or a trailing "/". False for an empty text.
bool PlannedRoot(const std::string& path, std::string& root);

// The folder of a log file that exists, symbolic links resolved; "" when it cannot be found.
std::string LogFolder(const std::string& logPath);
// A directory as a link from another one: "." for the same, "./sub" below it, "../photos" beside
// it. Both are absolute; "." when no relative link exists.
std::string RelativeRoot(const std::string& directory, const std::string& from);

// The folder a folder picker opens on for a directory text: "/" stays, "/photos/" becomes
// "/photos".
std::string BrowseStartFolder(const std::string& text);

// The log path after the user picked a new destination folder: the log's file name moved into
// that folder.
std::string LogPathInFolder(const std::string& folder, const std::string& logPath);

// The user's home directory ($HOME, else the password database, else "/"): where the batch
// settings point before the user picks folders.
std::string HomeDirectory();
