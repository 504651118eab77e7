#pragma once
// The inspector's nodes of one PNG chunk record: the chunk node with the fields of the
// well-known chunks and the CRC as children.
#include "jpegtools/MarkerNode.h"
#include "jpegtools/PngChunk.h"

// The colour type of the last IHDR seen, which bKGD, sBIT and tRNS are read by; -1 before any.
struct PngChunkContext {
    int colourType = -1;
};

// The node of a chunk. Offsets count from the chunk's length field (the data starts at 8), and
// fields are read only from the chunk's data.
MarkerNode PngChunkNode(const CPngChunk& chunk, PngChunkContext& context);
