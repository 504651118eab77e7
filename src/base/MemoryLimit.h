#pragma once
// The most memory one picture may take: a decode or a resize whose result would need more fails
// at once instead of allocating for minutes. By default the smaller of 4 GiB and half the
// machine's physical memory; the command line may set another for its run.
#include <cstdint>
#include <string>

uint64_t MemoryLimit();
void SetMemoryLimit(uint64_t bytes);
// The default limit for this machine.
uint64_t DefaultMemoryLimit();

// Whether a buffer of `bytes` stays within the limit.
bool FitsMemoryLimit(uint64_t bytes);
// rows × bytesPerRow, saturating; what a picture of that layout needs.
uint64_t PictureBytes(uint64_t bytesPerRow, uint64_t rows);
// The message of a refused allocation: "needs 10300 MB, above the memory limit of 4096 MB".
std::string MemoryLimitMessage(uint64_t bytes);
