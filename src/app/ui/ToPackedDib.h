#pragma once
// Turns a QImage (a clipboard picture) into a packed DIB, the way pictures enter a document.
#include "core/DibImage.h"

#include <QImage>
#include <cstdint>
#include <memory>
#include <vector>

// A packed DIB (40-byte header, colour table, bottom-up rows padded to 4 bytes): 8 bits with the
// image's palette for an indexed image (1-bit ones widened to 8), otherwise 24 bits. Alpha is
// dropped. Empty for a null image.
std::vector<uint8_t> ToPackedDib(const QImage& image);
// The image as a realized buffer; null for a null image.
std::unique_ptr<CDibImage> ToDibImage(const QImage& image);
