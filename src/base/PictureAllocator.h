#pragma once
// An allocator for picture-sized buffers. Blocks of 2 MiB and more come straight from the kernel
// as whole huge pages, marked for transparent huge pages, so that a 96 MB picture faults in 48
// times instead of 24,000; smaller blocks come from the heap. Elements inserted without a value
// (resize) are left as they are: a decoder that writes every pixel anyway does not pay for a
// fill first. Insert with a value where the contents must be defined.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <sys/mman.h>
#include <utility>

constexpr size_t kPictureHugePage = size_t{2} << 20;

template <typename T> class PictureAllocator {
public:
    using value_type = T;

    PictureAllocator() = default;
    template <typename U> PictureAllocator(const PictureAllocator<U>&) {}

    T* allocate(size_t count) {
        if (count > SIZE_MAX / sizeof(T)) throw std::bad_alloc();
        const size_t bytes = count * sizeof(T);
        if (bytes < kPictureHugePage) return std::allocator<T>().allocate(count);
        void* block = mmap(nullptr, Mapped(bytes), PROT_READ | PROT_WRITE,
                           MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (block == MAP_FAILED) throw std::bad_alloc();
        madvise(block, Mapped(bytes), MADV_HUGEPAGE);
        return static_cast<T*>(block);
    }

    void deallocate(T* block, size_t count) {
        const size_t bytes = count * sizeof(T);
        if (bytes < kPictureHugePage)
            std::allocator<T>().deallocate(block, count);
        else
            munmap(block, Mapped(bytes));
    }

    template <typename U, typename... Args> void construct(U* place, Args&&... args) {
        if constexpr (sizeof...(Args) == 0)
            ::new (static_cast<void*>(place)) U;
        else
            ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
    }

    // Whether a new block of this many elements comes from the kernel, and so holds zeros.
    static bool ComesZeroed(size_t count) { return count >= kPictureHugePage / sizeof(T); }

    template <typename U> bool operator==(const PictureAllocator<U>&) const { return true; }

private:
    static size_t Mapped(size_t bytes) {
        return (bytes + kPictureHugePage - 1) / kPictureHugePage * kPictureHugePage;
    }
};
