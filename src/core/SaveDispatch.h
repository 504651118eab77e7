#pragma once
// Save dispatch: the writer is chosen by the target's extension and writes through
// COutputFiles, so the files it replaces stay as they were unless the whole save succeeds.
#include "core/ImageFacts.h"

#include <cstdint>
#include <optional>
#include <string>

struct ImageSaveRequest;

// Writes the request to path; the facts of the written file (the request's, as the writer
// updated them, with the measured size) on success. Failures are reported by the writer; an
// extension without a writer fails silently.
std::optional<ImageFacts> SaveImageFile(const ImageSaveRequest& request, const std::string& path);

// Copies a file (a conversion's temporary JPEG) to path the same way; the size written.
std::optional<uint32_t> CopyImageFile(const std::string& source, const std::string& path);
