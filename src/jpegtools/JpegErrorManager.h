#pragma once
// libjpeg error manager that returns control to the caller with longjmp instead of exiting,
// keeping the library's own message text for the report. Warnings (corrupt data the library
// reads past) are counted by the library in base.num_warnings; the first one's text is kept.
#include <csetjmp>
#include <cstdio>
#include <string>

#include <jpeglib.h>

struct JpegErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    char firstWarning[JMSG_LENGTH_MAX];
};

// Attaches the manager to a compress or decompress object's common fields.
jpeg_error_mgr* InstallJpegErrorManager(JpegErrorManager& manager);
