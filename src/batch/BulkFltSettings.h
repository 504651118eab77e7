#pragma once
// The batch filter's settings: profile section "bulkfilter" (string 253).
#include "jpegtools/FilterOptions.h"
#include "settings/SettingsStore.h"

#include <string>
#include <vector>

struct BulkFltSettings {
    std::string srcDirectory; // default: the home directory
    std::string dstDirectory; // must exist; default: the home directory
    int createLog = 0;        // write the HTML log
    std::string logFilePath;  // default: blkflt.htm in the home directory
    BulkFltOptions options;   // the filters
    int recurseDir = 0;       // walk subdirectories
    int extFilter = 1;        // select files by the extension list
    std::string strExtFilter = ".jpg;.jfif;.jpeg";
};

// Reads the section; a missing key takes its default (both roots the home directory, the log
// "blkflt.htm" in it).
BulkFltSettings LoadBulkFltSettings(const ProfileFile& profile);
// Writes every key into the section, in the order the profile keeps them.
void StoreBulkFltSettings(const BulkFltSettings& settings, ProfileFile& profile);
// Stores the section and writes the profile file ("この設定を保存"); false when it cannot be
// written.
bool SaveBulkFltSettings(const BulkFltSettings& settings, SettingsStore& store);

// The section's name and key names; registering them lets "--set bulkfilter.Key=Value"
// through.
std::string BulkFltSection();
std::vector<std::string> BulkFltKeys();
void RegisterBulkFltKeys();
