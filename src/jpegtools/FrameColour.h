#pragma once
// The colour space a decoder reads a JPEG frame in. It is not stored in the frame: libjpeg
// takes it from a JFIF APP0, an Adobe APP14 (its transform flag) or the component ids, so a
// filter that removes or adds one of those segments may change the decoded pixels. The filters
// use this to keep the pixels as they are.
#include "jpegtools/SegmentList.h"

enum class FrameColour { Unknown, Grey, YCbCr, Rgb, Cmyk, Ycck };

// The colour space by libjpeg's rules, from the segments before the first scan that are not
// marked deleted; as if a JFIF APP0 were there too when addJfif is set.
FrameColour DecodedColour(const SegmentList& list, bool addJfif = false);

// True for the codes of frame headers (SOF0 ... SOF15 but DHT, JPG and DAC).
bool IsFrameHeader(int code);

// True for an APP14 segment that carries Adobe's colour transform flag.
bool IsAdobeSegment(const CMarkerSegment& segment);
