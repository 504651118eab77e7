#pragma once
// Segment lists: the records of one JPEG or PNG file in file order, and the search and edit
// operations the segment tools share.
#include "jpegtools/MarkerSegment.h"

#include <list>
#include <memory>

// The records of one file in file order; the list owns them. Records split from a JPEG file
// (SEG_FROMFILE) stay in source order and cover the source without gap, so edits never remove
// or reorder them: they mark them SEG_DELETED. In-memory records may stand anywhere.
using SegmentList = std::list<std::unique_ptr<CMarkerSegment>>;

// The first record at or after from whose bytes begin with 0xFF followed by code1 or code2
// (code2 0: code1 only); the end of the list when none does. Deleted records are found too;
// data stretches never match.
SegmentList::iterator FindSegment(SegmentList& list, SegmentList::iterator from, uint8_t code1,
                                  uint8_t code2 = 0);
// FindSegment as a cursor: searches from position, leaves position on the element after the
// record found (or at the end of the list) and returns the record, or null when none matches.
CMarkerSegment* FindMarker(SegmentList& list, SegmentList::iterator& position, uint8_t code1,
                           uint8_t code2 = 0);

// Whether the record after position is a stretch of non-marker bytes (anything but scan data
// stands there only in a damaged file). Edits neither remove such a record nor insert after it:
// the byte written before the stretch could otherwise form a marker with its first byte (a 0xFF
// fill byte before 0xC4, say), and the file would say something else.
bool IsFollowedByData(const SegmentList& list, SegmentList::const_iterator position);

// Inserts an in-memory record directly after position; returns the new element.
SegmentList::iterator InsertSegmentAfter(SegmentList& list, SegmentList::iterator position,
                                         std::unique_ptr<CMarkerSegment> segment);
// Deletes the record at position: a record from the file is marked SEG_DELETED (it stays in
// the list and its bytes are skipped when writing), one made in memory is removed. Returns the
// element after it.
SegmentList::iterator DeleteSegment(SegmentList& list, SegmentList::iterator position);
// Puts segment in place of the record at position: inserted directly after it, the old one
// then deleted as by DeleteSegment. Returns the new element.
SegmentList::iterator ReplaceSegment(SegmentList& list, SegmentList::iterator position,
                                     std::unique_ptr<CMarkerSegment> segment);
