#include "core/PngMessages.h"

#include "base/FileHandle.h"

#include <cerrno>

void PngErrorReturn(png_structp png, png_const_charp message) {
    const int error = errno;
    if (auto* failure = static_cast<PngFailure*>(png_get_error_ptr(png))) {
        failure->systemError = error;
        failure->message = message ? message : "";
    }
    png_longjmp(png, 1);
}

void PngWarningIgnored(png_structp, png_const_charp) {}

std::string PngFailureText(const PngFailure& failure, std::FILE* stream) {
    if (stream && std::ferror(stream)) return SystemErrorText(failure.systemError);
    return failure.message.empty() ? "Error handler" : "Error handler (" + failure.message + ")";
}
