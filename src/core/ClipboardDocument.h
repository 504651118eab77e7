#pragma once
// The clipboard document: the one open document that shows the pasted picture until it is saved
// or frozen. A paste replaces its picture, or makes it when there is none.
#include "core/DocTemplate.h"

#include <memory>
#include <string>

// The first open document whose new-image flag is set, or none.
CImageDoc* FindClipboardDocument(const CDocTemplate& documents);
// "640x480 Clipboard Image", with "(16 colors)" after it for a palette image.
std::string ClipboardInfoText(const CDibImage& image);
// Gives the picture to the clipboard document (a new one of type 132 titled "クリップボード"
// when none is open): default comment, palette facts, info text and a new sync group; its views
// repaint. Null when the picture is empty or no document could be made.
CImageDoc* PasteIntoClipboardDocument(CDocTemplate& documents, std::unique_ptr<CDibImage> image);
// Keeps the clipboard document as an ordinary unsaved picture: its title gets "(counter)" after a
// raise of counter, and its new-image flag is cleared. False when there is none.
bool FreezeClipboardDocument(CDocTemplate& documents, int& counter);
