#pragma once
// Resizing a document's picture with the two-pass scaler; the result is always 24-bit.
#include <cstdint>

class CImageDoc;

// Scales the document's picture to width × height. On failure (no packed copy, a size of 0 or
// beyond the scaler, no memory, no display form) the document is unchanged and message 353 or
// 354 has been reported under "Resize".
bool Resize(CImageDoc& document, uint32_t width, uint32_t height);

// The resize command once its dialog has given the new size: nothing when the size is the
// same; otherwise Resize under the wait cursor, and after a success a document that is neither
// converted nor already modified gets the modified mark and a new sync group.
bool ResizeCommand(CImageDoc& document, uint32_t width, uint32_t height);
