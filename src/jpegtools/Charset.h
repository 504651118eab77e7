// Character codes of comment text and the conversions between them and Shift_JIS, the form in
// which the program holds every comment.
//
// Text arguments are a byte pointer and a length; a negative length means up to the first zero
// byte (UCS-2 text therefore needs a length), a null pointer an empty text. No operation
// fails: bytes that fit no rule are copied or skipped, and a character cut off by the end of the
// text is dropped.
#pragma once

#include <cstdint>
#include <string>

// Character codes; the numbering is stored in the settings. Any other value means "no
// conversion".
enum : int {
    kCharsetAuto = -1, // not determined yet: decided by the settings
    kCharsetAscii = 0,
    kCharsetIso2022Jp = 1,
    kCharsetEucJp = 2,
    kCharsetShiftJis = 3,
    kCharsetUtf8 = 4,
    kCharsetUcs2 = 6, // 16-bit little-endian units; never written
};

// Returned by CharsetFromName for a name that is not in the table.
inline constexpr int kCharsetUnknownName = -2;

// Guesses the code of a text: 0, 1, 2, 3 or 4 (0 when nothing decides).
int DetectCharset(const char* bytes, int length);

// Converts text in `code` to Shift_JIS. For code 6, `length` counts bytes (two per unit).
std::string ToShiftJis(const char* bytes, int code, int length);

// Converts Shift_JIS text to `code`. Code 6 gives Shift_JIS back: comments are never written
// as UCS-2.
std::string FromShiftJis(const char* sjis, int code, int length);

// The first name of `code` in the name table, or nullptr.
const char* CharsetName(int code);

// Case-insensitive lookup in the name table; kCharsetUnknownName when absent.
int CharsetFromName(const std::string& name);

// JIS X 0208 code (row byte high) <-> Shift_JIS code (lead byte high), by arithmetic.
uint16_t JisToSjis(uint16_t jis);
uint16_t SjisToJis(uint16_t sjis);

// The code for reading a comment: `code` when known, else detected from the text when
// `autoReadCharset` is set, else `readCharset`.
int ChooseReadCharset(const char* text, int length, int code, int autoReadCharset, int readCharset);

// The code for writing a comment that was read in `ownCode`: `ownCode` when
// `autoWriteCharset` is set, else `writeCharset`. Callers asking for a definite code use it
// directly.
int ChooseWriteCharset(int ownCode, int autoWriteCharset, int writeCharset);

// The Shift_JIS text of a comment stored in `code` (which must be decided): converted unless the
// code is 0 or 3, and ending at the first zero byte as a comment text does.
std::string DecodeComment(const char* bytes, int length, int code);
