#include "jpegtools/IfdSource.h"

#include <sys/types.h>

namespace {

// What a fetch of no bytes points to.
const uint8_t kNothing = 0;

bool Inside(uint64_t offset, size_t count, uint64_t size) {
    return offset <= size && count <= size - offset;
}

} // namespace

const uint8_t* MemoryIfdSource::Fetch(uint64_t offset, size_t count, std::vector<uint8_t>&) {
    return Inside(offset, count, size_) ? data_ + offset : nullptr;
}

FileIfdSource::FileIfdSource(std::FILE* file) : file_(file) {
    if (fseeko(file_, 0, SEEK_END) == 0) {
        off_t end = ftello(file_);
        if (end > 0) size_ = static_cast<uint64_t>(end);
    }
}

const uint8_t* FileIfdSource::Fetch(uint64_t offset, size_t count, std::vector<uint8_t>& scratch) {
    if (!Inside(offset, count, size_)) return nullptr;
    if (count == 0) return &kNothing;
    scratch.resize(count);
    if (fseeko(file_, static_cast<off_t>(offset), SEEK_SET) != 0) return nullptr;
    if (std::fread(scratch.data(), 1, count, file_) != count) return nullptr;
    return scratch.data();
}
