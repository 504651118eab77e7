#pragma once
// The batch filter's work on one JPEG file: edits the file's segment list by the chosen
// filters (thumbnail, JFXX, APPn and COM removal, Exif to JFIF, table uniting) and writes the
// result, without decoding the image.
#include "jpegtools/FilterOptions.h"
#include "jpegtools/SegmentReader.h"

#include <cstdint>
#include <string>

struct SettingsStore;

// What ApplyFilters works on for one file, and what it reports back for the log.
struct FilterFileContext {
    SegmentList& list;      // split from sourcePath; ApplyFilters edits it, the caller clears it
    CSegmentReader& reader; // closed on entry; used to write and to measure the result
    std::string sourcePath;
    std::string destinationPath;
    // TempDir (in-place rewrites), AutoWriteCharset and WriteCharset (a kept user comment).
    const SettingsStore& settings;
    // Results. The size comes from the first frame header (SOFn); a file without one leaves
    // the values as they were given (0 x 0 by default).
    int width = 0, height = 0;
    uint64_t writtenSize = 0;
};

// Applies the filters of `options` to the list and writes it to the destination (in place
// through a temporary file when the destination is the source itself). Returns non-zero on
// success; on failure the destination is as it was.
int ApplyFilters(FilterFileContext& context, const BulkFltOptions& options);
