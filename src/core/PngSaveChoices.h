#pragma once
// The PNG save options dialog without its window: what it shows when it opens and what its OK
// stores, on a document being saved or, without one, on the settings that later PNG writes
// (the batch converter's) use.
#include "core/DibImage.h"

#include <string>

struct SettingsStore;
class CImageDoc;

struct PngSaveChoices {
    int saveMode = 0;              // "フォーマット/色数": index of the PNG save modes
    bool interlace = false;        // "インターレース"
    bool writeTransparent = false; // "透過色の書き出し"
    RgbQuad transparentColor{};    // the colour chosen with "透過色..."
    bool writeGamma = false;       // "ガンマ補正値の書き出し"
    std::string gammaText;         // "埋め込みガンマ補正値", as typed
};

// The dialog's state on opening, for the document (null: the settings alone). A document
// suggests the mode that keeps what its file was: gray, indexed or true colour.
PngSaveChoices OpenPngSaveChoices(const SettingsStore& settings, const CImageDoc* document);

// OK: the interlace setting always; the settings' PNG save defaults without a document or for a
// pasted image; the document's save mode, transparent colour and gamma with one.
void ApplyPngSaveChoices(const PngSaveChoices& choices, SettingsStore& settings,
                         CImageDoc* document);

// The "colorTransparent" setting (red in the low byte, then green, then blue) and back.
RgbQuad ColorFromSetting(int value);
int ColorToSetting(const RgbQuad& color);
