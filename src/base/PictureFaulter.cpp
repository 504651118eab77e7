#include "base/PictureFaulter.h"

#include "base/PictureAllocator.h"

#include <cstdint>
#include <sys/mman.h>
#include <system_error>
#include <unistd.h>

namespace {

// Stretches small enough that the decoder seldom waits on the one being cleared.
constexpr size_t kStretch = 4 * kPictureHugePage;

void FaultIn(std::stop_token stop, uint8_t* begin, uint8_t* end) {
    for (uint8_t* at = begin; at < end && !stop.stop_requested(); at += kStretch) {
        const size_t length = static_cast<size_t>(end - at) < kStretch ? end - at : kStretch;
        // Kernels before 5.14 do not know the request: then the decoder faults alone.
        if (madvise(at, length, MADV_POPULATE_WRITE) != 0) return;
    }
}

} // namespace

void PictureFaulter::Start(void* block, size_t bytes) {
    Finish();
    static const bool spareProcessor = sysconf(_SC_NPROCESSORS_ONLN) >= 2;
    static const uintptr_t page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    if (bytes < 2 * kStretch || !spareProcessor) return;
    // madvise needs a page-aligned start; the part before the first page boundary is left.
    const uintptr_t first = (reinterpret_cast<uintptr_t>(block) + page - 1) / page * page;
    auto* begin = reinterpret_cast<uint8_t*>(first);
    auto* end = static_cast<uint8_t*>(block) + bytes;
    try {
        thread_ = std::jthread(FaultIn, begin, end);
    } catch (const std::system_error&) {
        // No thread to spare: the decoder faults its pages in itself.
    }
}

void PictureFaulter::Finish() {
    if (!thread_.joinable()) return;
    thread_.request_stop();
    thread_.join();
}
