#pragma once
// The two PNG display commands of a document without their windows: "PNG ガンマ表示" (434)
// shows the file's gamma in a message box, "PNG 透過色" (435) shows the transparent colour in
// a colour chooser. When they are enabled is a command rule.
#include <cstdint>
#include <string>

class CImageDoc;

// "Gamma=0.454550", or "No Gamma Value".
std::string PngGammaMessage(const CImageDoc& document);

// The colour the chooser starts with, as 0x00RRGGBB.
uint32_t PngTransparentColor(const CImageDoc& document);
