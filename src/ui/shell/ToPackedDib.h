#pragma once
// Turns a QImage (a clipboard picture) into an image buffer, the way pictures enter a document.
#include "core/DibImage.h"

#include <QImage>
#include <memory>

// The image as a realized buffer: 8 bits with the image's palette for an indexed image (1-bit
// ones widened to 8), otherwise 24 bits; alpha is dropped. Null for a null image or no memory.
std::unique_ptr<CDibImage> ToDibImage(const QImage& image);
