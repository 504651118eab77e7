#pragma once
// Turns the Exif APP1 segment of a JPEG file into a JFIF APP0 segment and a comment that keeps
// the shooting data and the user comment as text.
#include "jpegtools/Charset.h"
#include "jpegtools/FilterOptions.h"
#include "jpegtools/SegmentList.h"

#include <string>

class CExifReader;

// The code a user comment taken from the Exif segment is written in (the AutoWriteCharset and
// WriteCharset settings): its own code when autoWriteCharset is set or writeCharset is ASCII,
// else writeCharset.
struct CommentWriteCharset {
    int autoWriteCharset = 1;
    int writeCharset = kCharsetShiftJis;
};

// Longest COM text.
constexpr size_t kMaxComText = CMarkerSegment::kMaxPayload;

// When the first APP1 of the list is an Exif segment that parses: marks it deleted and puts a
// JFIF APP0 (density from XResolution/YResolution, 72 dpi without them) and, when there is
// text for it, a COM segment directly after it. Returns true when it converted; false leaves
// the list unchanged. A frame that decoders read as RGB is not converted, since a JFIF header
// would make them read it as YCbCr.
bool ConvertExifToJfif(SegmentList& list, const BulkFltOptions& options,
                       const CommentWriteCharset& charset);

// The text of the generated comment: the non-empty summary lines, each ended by CR LF, then
// (after a blank line when there is a summary) the user comment, encoded as `charset` asks.
// At most kMaxComText bytes, cut at a character boundary.
std::string ExifCommentText(const CExifReader& exif, const BulkFltOptions& options,
                            const CommentWriteCharset& charset);
