#pragma once
// libpng's message hooks. An error keeps libpng's own text, and the system's reason of the
// moment, for the program's report, then returns through the jump buffer; warnings are dropped
// instead of being printed to stderr.
#include <cstdio>
#include <string>

#include <png.h>

// What made libpng give up; the error pointer of a png struct made with PngErrorReturn.
struct PngFailure {
    std::string message; // libpng's text, e.g. "IHDR: CRC error"
    int systemError = 0; // errno when it gave up: why a read or write of the stream failed
};

void PngErrorReturn(png_structp png, png_const_charp message);
void PngWarningIgnored(png_structp png, png_const_charp message);
// The report's message: the system's reason when the stream failed ("No space left on
// device"), otherwise "Error handler" with libpng's text: "Error handler (IHDR: CRC error)".
std::string PngFailureText(const PngFailure& failure, std::FILE* stream);
