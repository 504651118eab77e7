#pragma once
// Where an IFD walk reads from: a block of bytes in memory or an open file. Offsets are
// positions in the TIFF structure; a read outside it fails.
#include <cstdint>
#include <cstdio>
#include <vector>

class IfdSource {
public:
    virtual ~IfdSource() = default;

    // Bytes in the structure.
    virtual uint64_t Size() const = 0;
    // The `count` bytes at `offset`, or nullptr when they are not all inside the structure.
    // `scratch` may receive them; the pointer stays valid while `scratch` is unchanged.
    virtual const uint8_t* Fetch(uint64_t offset, size_t count, std::vector<uint8_t>& scratch) = 0;
    // True when fetched pointers stay valid as long as the source's bytes do, so entries may
    // view them instead of copying.
    virtual bool Lasting() const = 0;
};

// A block in memory; the caller keeps it alive while entries view it.
class MemoryIfdSource : public IfdSource {
public:
    MemoryIfdSource(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    uint64_t Size() const override { return size_; }
    const uint8_t* Fetch(uint64_t offset, size_t count, std::vector<uint8_t>& scratch) override;
    bool Lasting() const override { return true; }

private:
    const uint8_t* data_;
    size_t size_;
};

// An open file, read with seeks; the caller opens and closes it.
class FileIfdSource : public IfdSource {
public:
    explicit FileIfdSource(std::FILE* file);

    uint64_t Size() const override { return size_; }
    const uint8_t* Fetch(uint64_t offset, size_t count, std::vector<uint8_t>& scratch) override;
    bool Lasting() const override { return false; }

private:
    std::FILE* file_;
    uint64_t size_ = 0;
};
