#pragma once
// The inspector's nodes of one JPEG segment record: the marker (or data stretch) node with the
// fields of the well-known segments as children.
#include "jpegtools/DqtPreview.h"
#include "jpegtools/MarkerNode.h"
#include "jpegtools/MarkerSegment.h"

// The node of a record. Quantization tables 0 and 1 met on the way are handed to tables.
// Children are made only from bytes the record holds and its length field covers.
MarkerNode JpegSegmentNode(const CMarkerSegment& segment, CDqtPreview& tables);
