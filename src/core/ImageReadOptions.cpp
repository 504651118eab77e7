#include "core/ImageReadOptions.h"

#include "settings/SettingsStore.h"

ImageReadOptions ImageReadOptions::FromSettings(const SettingsStore& settings, int screenDepth) {
    ImageReadOptions options;
    options.screenDepth = screenDepth;
    options.ditherFor16bit = settings.useDitherFor16bitColor;
    options.png = PngLoadOptions::FromSettings(settings);
    options.readCharsets = ReadCharsetsOf(settings);
    return options;
}

std::unique_ptr<CDibImage> PrepareForScreen(std::unique_ptr<CDibImage> image,
                                            const ImageReadOptions& options) {
    return PrepareForDisplay(std::move(image), options.screenDepth, options.ditherFor16bit);
}
