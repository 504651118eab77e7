#pragma once
// The settings of the batch conversion, kept in the profile section "bulkconv".
#include "settings/SettingsStore.h"

#include <string>
#include <vector>

struct BulkConvSettings {
    std::string srcDirectory; // source root
    std::string dstDirectory; // destination root; must exist
    int createLog = 0;        // write the HTML log
    std::string logFilePath;  // where
    int sizeConvertMode = 0;  // 0 follow the aspect ratio, 1 always the base size, 2 keep
    int sizeAlignMode = 0;    // mode 0: 0 long side, 1 width, 2 height
    int sizeWidth = 80;       // base size
    int sizeHeight = 80;
    int notEnlarge = 0; // never make a dimension larger
    int recurseDir = 0; // walk subdirectories
    int extFilter = 1;  // select by the extension list
    std::string strExtFilter = ".jpg;.jfif;.jpeg";
    int usePngFormat = 0;      // write ".png" instead of ".jpg"
    int extThrough = 0;        // keep ".jpg", ".png" and ".bmp" sources in their type
    int altIsOriginalSize = 0; // the log's alt text gives the source file size
    // A JPEG output of a JPEG source keeps its Exif and ICC segments. Set only in the profile
    // or with --set: the dialog neither shows nor writes it.
    int keepMetadata = 0;
    // A JPEG source at least twice the target size both ways is decoded at 1/2, 1/4 or 1/8 of
    // its size (the smallest still at least twice the target) before the exact scaler: much
    // faster, not byte-identical. Profile or --set (and batch-convert --fast) only, like
    // keepMetadata.
    int fastShrink = 0;
};

// The range of each side of the base size, in pixels.
constexpr int kBaseSizeLow = 1;
constexpr int kBaseSizeHigh = 65535;
// Whether the target size is taken from the base size (every mode but "keep the source size").
inline bool UsesBaseSize(const BulkConvSettings& settings) {
    return settings.sizeConvertMode != 2;
}
inline bool IsBaseSide(int side) {
    return side >= kBaseSizeLow && side <= kBaseSizeHigh;
}

// The defaults: both roots the home directory, the log "blkcnv.htm" in it.
BulkConvSettings DefaultBulkConvSettings();
// Reads the section; a missing key keeps its default.
BulkConvSettings LoadBulkConvSettings(const ProfileFile& profile);
// Writes the dialog's keys into the section, in the order the profile keeps them.
void StoreBulkConvSettings(const BulkConvSettings& settings, ProfileFile& profile);
// Writes every key the section reads, KeepMetadata and FastShrink too.
void StoreEveryBulkConvKey(const BulkConvSettings& settings, ProfileFile& profile);
// Stores the section and writes the profile file ("この設定を保存"); false when it cannot be
// written.
bool SaveBulkConvSettings(const BulkConvSettings& settings, SettingsStore& store);

// The section's name and key names; registering them lets "--set bulkconv.Key=Value" through.
std::string BulkConvSection();
std::vector<std::string> BulkConvKeys();
void RegisterBulkConvKeys();
