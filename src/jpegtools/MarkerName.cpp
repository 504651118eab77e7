#include "jpegtools/MarkerName.h"

namespace {

constexpr int kFirstCode = 0xC0;
constexpr int kLastCode = 0xFE;

// Indexed by code - 0xC0. A four-letter name is followed by two spaces so descriptions align.
// clang-format off
const char* const kNames[kLastCode - kFirstCode + 1] = {
    "SOF0  (Baseline DCT/Huffman)",   "SOF1  (Ext-Seq DCT/Huffman)",
    "SOF2  (Progressive DCT/Huffman)", "SOF3  (Lossless/Huffman)",
    "DHT   (Huffman table)",          "SOF5  (Diff-seq DCT/Huffman)",
    "SOF6  (Diff-prg DCT/Huffman)",   "SOF7  (Diff-lossless/Huffman)",
    "JPG",                            "SOF9  (Ext-Seq DCT/Arith)",
    "SOF10 (Progressive DCT/Arith)",  "SOF11 (Loseless/Arith)",
    "DAC   (Arithmetic table)",       "SOF13 (Diff-ext DCT/Arith)",
    "SOF14 (Diff-prg DCT/Arith)",     "SOF15 (Diff-loseless/Arith)",
    "RST0", "RST1", "RST2", "RST3", "RST4", "RST5", "RST6", "RST7",
    "SOI   (Start of image)",         "EOI   (End of image)",
    "SOS   (Start of scan)",          "DQT   (Quantization table)",
    "DNL   (Number of lines)",        "DRI   (Number of restart interval)",
    "DHP   (Hierarchical progression)", "EXP   (Expand reference images)",
    "APP0", "APP1", "APP2", "APP3", "APP4", "APP5", "APP6", "APP7",
    "APP8", "APP9", "APP10", "APP11", "APP12", "APP13", "APP14", "APP15",
    "JPG0", "JPG1", "JPG2", "JPG3", "JPG4", "JPG5", "JPG6", "JPG7",
    "JPG8", "JPG9", "JPG10", "JPG11", "JPG12", "JPG13",
    "COM   (Comment)",
};
// clang-format on

} // namespace

const char* MarkerName(int code) {
    if (code < kFirstCode || code > kLastCode) return "";
    return kNames[code - kFirstCode];
}
