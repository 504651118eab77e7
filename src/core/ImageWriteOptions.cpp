#include "core/ImageWriteOptions.h"

#include "settings/SettingsStore.h"

ImageWriteOptions ImageWriteOptions::FromSettings(const SettingsStore& settings) {
    ImageWriteOptions options;
    options.jpeg = JpegWriteSettingsFrom(settings);
    options.writeCharsets = WriteCharsetsOf(settings);
    options.png = PngSaveOptions::FromSettings(settings);
    return options;
}
