#pragma once
// Documents and settings for the image view tests.
#include "core/ImageDoc.h"
#include "settings/SettingsStore.h"
#include "support/StandaloneContext.h"

#include <QRgb>
#include <memory>
#include <string>

inline QRgb Pattern(int x, int y) {
    return qRgb(x & 255, y & 255, (x * 7 + y * 13) & 255);
}

inline SettingsStore ZoomSettings() {
    SettingsStore settings;
    const int table[] = {10, 25, 33, 50, 100, 200, 300, 400, 600, 800, 1200, 1600, 0};
    for (int i = 0; i <= kZoomCount; ++i)
        settings.zoomTable[i] = table[i];
    for (int i = 0; i < kZoomCount; ++i)
        settings.zoomLabels[i] = std::to_string(table[i]) + "%";
    return settings;
}

// A document with a true-colour picture whose every pixel differs from its neighbours.
struct PatternDoc {
    CImageDoc doc{StandaloneContext()};
    PatternDoc(int width, int height, uint32_t fileSize = 0) {
        auto image = std::make_unique<CDibImage>();
        image->CreateBlank(width, height, 0);
        uint32_t* bits = image->Bits();
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                bits[y * width + x] = 0xFF000000u | Pattern(x, y);
        ImageFacts facts;
        facts.fileSize = fileSize;
        doc.ReplaceImage(std::move(image), std::move(facts));
        doc.SetTitle("pattern.bmp");
    }
};

// The checkerboard colour at a view coordinate (client point plus scroll position).
inline QRgb Checker(int viewX, int viewY) {
    return (viewX % 8 / 4 + viewY % 8 / 4) % 2 ? qRgb(255, 255, 255) : qRgb(192, 192, 192);
}
