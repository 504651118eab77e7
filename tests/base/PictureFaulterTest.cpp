#include "base/PictureFaulter.h"

#include "base/PictureAllocator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

// Faulting in beside a writer never changes a byte: whatever the writer put first stays, and
// the faulter stops on a block that is finished early.
TEST(PictureFaulter, LeavesWhatTheWriterPutInPlace) {
    std::vector<uint32_t, PictureAllocator<uint32_t>> block;
    block.resize(size_t{16} << 20); // 64 MiB, unfilled
    PictureFaulter faulter;
    faulter.Start(block.data(), block.size() * sizeof(uint32_t));
    for (size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<uint32_t>(i * 2654435761u);
    faulter.Finish();
    size_t wrong = 0;
    for (size_t i = 0; i < block.size(); ++i)
        wrong += block[i] != static_cast<uint32_t>(i * 2654435761u);
    EXPECT_EQ(wrong, 0u);

    faulter.Start(block.data(), block.size() * sizeof(uint32_t));
    faulter.Finish();
    faulter.Finish();
    EXPECT_EQ(block.back(), static_cast<uint32_t>((block.size() - 1) * 2654435761u));
}
