#pragma once
// A structure-aware mutator for JPEG inputs: it splits the bytes into records (marker, length,
// payload; data stretches after SOS) and changes one thing a byte-level mutator rarely gets
// right: a length field, a marker code, the fill bytes before a marker, the order of records, a
// duplicate or a missing record, an offset or entry of the Exif IFD0. Input that does not split
// as a JPEG goes to the byte-level mutator.
#include <cstddef>
#include <cstdint>
#include <random>

// The byte-level mutator (libFuzzer's LLVMFuzzerMutate): mutates data[0, size) in place, within
// maxSize; returns the new size.
using ByteMutator = size_t (*)(uint8_t* data, size_t size, size_t maxSize);

// Mutates data[0, size) in place; the result never exceeds maxSize. Returns the new size.
size_t MutateJpeg(uint8_t* data, size_t size, size_t maxSize, std::mt19937& random,
                  ByteMutator bytes);

// libFuzzer's custom mutator for a JPEG target whose input starts with prefix bytes of options:
// now and then the options change, otherwise the JPEG after them.
size_t MutateJpegInput(uint8_t* data, size_t size, size_t maxSize, unsigned seed, size_t prefix);
