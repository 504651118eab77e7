#pragma once
// Faults a fresh picture block in on a second thread while the caller fills it from the top.
// The kernel clears every new page before handing it out (about a fifth of a JPEG decode for a
// 96 MB picture); done ahead of the decoder on another processor, that time leaves the wait.
// Faulting in never changes what a page holds, so the two threads may meet on a page. Does
// nothing for blocks below a few huge pages or on a single processor.
#include <cstddef>
#include <thread>

class PictureFaulter {
public:
    PictureFaulter() = default;
    ~PictureFaulter() { Finish(); }
    PictureFaulter(const PictureFaulter&) = delete;
    PictureFaulter& operator=(const PictureFaulter&) = delete;

    // Starts faulting in [block, block + bytes), top first; a running one is finished first.
    void Start(void* block, size_t bytes);
    // Stops after the current stretch and waits: call before the block is freed.
    void Finish();

private:
    std::jthread thread_;
};
