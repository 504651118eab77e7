#include "app/commands/ZoomIndex.h"

int ZoomIndex(const ZoomTable& table, int zoom) {
    int index = 0;
    while (index < kZoomCount && table[index] != 0 && table[index] < zoom)
        ++index;
    const bool ranPastEnd = index == kZoomCount || table[index] == 0;
    return ranPastEnd && index > 0 ? index - 1 : index;
}
