#pragma once
// Wraps the device form of an image buffer as a QImage for drawing.
#include "core/DibImage.h"

#include <QImage>

// A QImage over the buffer's own pixel memory (no copy): Format_RGB32 for true colour,
// Format_Indexed8 with the drawable 256-entry colour table for palette images; a null QImage
// for an empty buffer. It is valid while the buffer lives and its Revision() stays the same.
QImage ToQImage(const CDibImage& image);
