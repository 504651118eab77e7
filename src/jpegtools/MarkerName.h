#pragma once
// Display names of JPEG marker codes.
#include <cstdint>

// The label of marker code 0xC0-0xFE ("SOF0  (Baseline DCT/Huffman)", "RST3", "APP1" ...);
// an empty text for any other code.
const char* MarkerName(int code);
