#include "core/ImageFacts.h"

#include <cstdio>

std::string FormatImageSize(int width, int height) {
    char text[32];
    std::snprintf(text, sizeof text, "%dx%d ", width, height);
    return text;
}
