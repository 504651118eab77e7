#include "core/JpegWriteSettings.h"

#include "settings/SettingsStore.h"

#include <algorithm>

JpegWriteSettings JpegWriteSettingsFrom(const SettingsStore& settings) {
    JpegWriteSettings values;
    values.quality = std::clamp(settings.param1, 0, 100);
    values.sampling = settings.param2;
    values.progressive = settings.param3 == 1;
    values.restartEveryRow = settings.includeRST != 0;
    values.densityUnit = settings.resolutionUnit;
    values.xDensity = settings.resolutionH;
    values.yDensity = settings.resolutionV;
    return values;
}
