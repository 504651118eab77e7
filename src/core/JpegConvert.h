#pragma once
// The JPEG conversion command: the document's picture written to a temporary JPEG file with
// the current format values and opened in a new document, to show it as the codec delivers it.
#include "settings/SettingsStore.h"

#include <string>

class CDocTemplate;
class CImageDoc;

// "Q=75 DS=4:1 Prg.": the quality (or "CustomDQT" for the document's own tables), the
// sampling name and the encoding.
std::string ConversionLabel(const SettingsStore& settings, bool customDqt);

// Writes the conversion file ("tlmn" + 4 digits + ".jpg" in TempDir) and opens it in a new
// document of the template (announced once it shows the file), which shares the source's sync
// group and deletes the file when it closes. Null on failure (reported); the label is set even
// then.
CImageDoc* ConvertToJpeg(CImageDoc& source, CDocTemplate& documents, std::string& label);
