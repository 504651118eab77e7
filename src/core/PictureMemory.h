#pragma once
// The memory one picture takes at its peak while it is read: the packed DIB the reader fills,
// what the decoder holds beside it, and the display form made from the DIB before the DIB is
// freed (4 bytes a pixel for true colour, 1 for palette indices). A reader checks the sum
// against the memory limit from the header's size, before it allocates or decodes anything.
#include <cstdint>
#include <string>

uint64_t PictureMemoryNeed(uint64_t width, uint64_t height, int dibBitCount,
                           uint64_t decoderBytes = 0);

// Whether the picture's need stays within the memory limit; when not, reported as
// "name:needs N MB, above the memory limit of M MB" with the path.
bool CheckPictureMemory(const char* name, const std::string& path, uint64_t bytes);
