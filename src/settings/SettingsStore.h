#pragma once
// The user's settings: one member per profile key (section "default"), the zoom table, the
// custom quantization tables and the default comment, with the locations of their files.
#include "base/ProfileFile.h"
#include "base/QuantTableTypes.h"

#include <string>
#include <vector>

constexpr int kZoomCount = 12;

struct SettingsStore {
    // Files
    std::string profilePath;     // the profile (section "default" and foreign sections)
    std::string customTablePath; // the custom quantization table file
    ProfileFile profile;         // the profile's contents as loaded; foreign sections survive

    int restoreWindowPos = 0;
    int windowPosLeft = 0, windowPosTop = 0, windowPosWidth = 0, windowPosHeight = 0;
    int writeFilterIdx = 0, readFilterIdx = 0;
    int zoomTable[kZoomCount + 1] = {};
    std::string zoomLabels[kZoomCount];
    std::string tempDir;
    int autoUpdateClipboard = 0;
    int maxMRU = 9;
    int param1 = 75; // JPEG quality
    int param2 = 2;  // sampling index
    int param3 = 0;  // encoding index
    int resolutionH = 1, resolutionV = 1, resolutionUnit = 0;
    int includeRST = 0;
    int defaultComment = 0;
    std::string defaultCommentPath;
    std::string defaultCommentText; // Shift_JIS, lines ended by CR LF
    int defaultCommentCharset = 0;
    int readCharset = 3, autoReadCharset = 0, writeCharset = 3, autoWriteCharset = 1;
    int useTransparentOnLoad = 0, useTransparentOnSave = 0, useGammaCorrection = 1;
    int useWriteGammaValue = 1, useDefaultGammaOnLoad = 0, useDefaultGammaOnSave = 0;
    int useInterlaceOnSave = 0;
    int allowExtSampling = 0;
    double screenGamma = 2.2;
    double defaultGamma = 0.45455;
    int pngSaveMode = 0;
    int colorTransparent = 0; // red in the low byte, then green, then blue
    int useHalfToneStretch = 0, useDitherFor16bitColor = 0;
    int saveConfig = 1;
    int autoFitting = 0;
    int useCustomDQT = 0;
    QuantTablePair customTables{};
    int customDqtChanged = 0;
    int usePngITxt = 0;
    std::string defaultPngITxtLang = "ja-jp";
    int recentListCleared = 0;  // the history was cleared: the file menu drops its items
    int recentFileCapacity = 9; // MaxMRU as the list was loaded: a new MaxMRU waits for a restart
    std::string sectionName = "default";
    std::string writeDir = ".", readDir = ".";
    std::vector<std::string> recentFiles; // most recent first
};

// The settings of this process.
SettingsStore& AppSettings();
// Where temporary files go: the TempDir setting, or the system's temporary directory.
std::string TempDirectory(const SettingsStore& settings);

// Points the store at "<config dir>/tolmena/<baseName>.ini" and ".dqt", where the config dir
// is $XDG_CONFIG_HOME or ~/.config.
void LocateProfile(SettingsStore& store, const std::string& baseName);
// Points the store at the given profile; the custom table file sits beside it as ".dqt".
void UseProfile(SettingsStore& store, const std::string& profilePath);

// Reads every key with its default, then the zoom table. The custom tables and the default
// comment need the codec: LoadCustomTables and LoadDefaultComment (jpegtools) read them.
bool LoadSettings(SettingsStore& store);
// Writes the settings when SaveConfig is set; otherwise only remembers that saving is off.
// SaveCustomTables (jpegtools) writes the custom table file.
bool SaveSettings(SettingsStore& store);
