#pragma once
// libpng's message hooks: the program makes its own report ("Error handler"), so libpng's
// errors only return through the jump buffer and its warnings are dropped, instead of being
// printed to stderr.
#include <png.h>

void PngErrorReturn(png_structp png, png_const_charp message);
void PngWarningIgnored(png_structp png, png_const_charp message);
