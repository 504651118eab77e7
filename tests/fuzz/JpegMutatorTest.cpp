#include "JpegMutator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes ReadFile(const char* name) {
    std::ifstream in(std::string(TEST_DATA_DIR) + "/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Leaves the bytes alone: whatever changes comes from the structure-aware part.
size_t KeepBytes(uint8_t*, size_t size, size_t) {
    return size;
}

// Stands for a byte-level mutator that cuts the input short.
size_t CutToOne(uint8_t*, size_t, size_t) {
    return 1;
}

// The IFD0 offset of the first Exif block; 0 without one.
uint32_t IfdOffset(const Bytes& jpeg) {
    static const std::string kExif("Exif\0\0", 6);
    const auto found = std::search(jpeg.begin(), jpeg.end(), kExif.begin(), kExif.end());
    if (jpeg.end() - found < 14) return 0;
    const uint8_t* offset = &*found + 10;
    return found[6] == 'I'
               ? offset[0] | offset[1] << 8 | offset[2] << 16 | uint32_t(offset[3]) << 24
               : uint32_t(offset[0]) << 24 | offset[1] << 16 | offset[2] << 8 | offset[3];
}

struct Mutated {
    Bytes bytes;
    size_t size;
};

Mutated Mutate(const Bytes& input, size_t maxSize, unsigned seed, ByteMutator bytes) {
    std::mt19937 random(seed);
    Bytes buffer(input);
    buffer.resize(std::max(maxSize, input.size()));
    const size_t size = MutateJpeg(buffer.data(), input.size(), maxSize, random, bytes);
    buffer.resize(std::min(size, buffer.size()));
    return {buffer, size};
}

} // namespace

TEST(JpegMutator, StaysWithinTheLimitAndMostlyChangesTheStructure) {
    const Bytes jpeg = ReadFile("exif/fujifilm_finepix_e500.jpg");
    ASSERT_GT(jpeg.size(), 100u);
    int changed = 0, offsetsChanged = 0;
    for (unsigned seed = 1; seed <= 2000; ++seed) {
        const size_t maxSize = jpeg.size() + seed % 40;
        const Mutated result = Mutate(jpeg, maxSize, seed, KeepBytes);
        ASSERT_GE(result.size, 1u);
        ASSERT_LE(result.size, maxSize) << "seed " << seed;
        changed += result.bytes != jpeg;
        const uint32_t offset = IfdOffset(result.bytes);
        offsetsChanged += offset != 0 && offset != IfdOffset(jpeg);
    }
    // Three in four mutations are structural; some leave the bytes as they were (a record
    // swapped with itself, a copy beyond the limit).
    EXPECT_GT(changed, 800);
    EXPECT_GT(offsetsChanged, 10);
}

TEST(JpegMutator, LeavesInputsThatAreNoJpegToTheByteMutator) {
    const Bytes text{'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'e', 'g'};
    for (unsigned seed = 1; seed <= 50; ++seed)
        EXPECT_EQ(Mutate(text, 64, seed, CutToOne).size, 1u);
}
