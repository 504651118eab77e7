#include "core/PngMessages.h"

void PngErrorReturn(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void PngWarningIgnored(png_structp, png_const_charp) {}
