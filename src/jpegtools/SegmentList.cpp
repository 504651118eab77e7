#include "jpegtools/SegmentList.h"

SegmentList::iterator FindSegment(SegmentList& list, SegmentList::iterator from, uint8_t code1,
                                  uint8_t code2) {
    for (auto it = from; it != list.end(); ++it) {
        const int code = (*it)->Code(); // -1 for data stretches: they hold no bytes
        if (code >= 0 && (code == code1 || (code2 != 0 && code == code2))) return it;
    }
    return list.end();
}

CMarkerSegment* FindMarker(SegmentList& list, SegmentList::iterator& position, uint8_t code1,
                           uint8_t code2) {
    auto found = FindSegment(list, position, code1, code2);
    if (found == list.end()) {
        position = list.end();
        return nullptr;
    }
    position = std::next(found);
    return found->get();
}

bool IsFollowedByData(const SegmentList& list, SegmentList::const_iterator position) {
    const auto next = std::next(position);
    return next != list.end() && (*next)->Has(SEG_DATA);
}

SegmentList::iterator InsertSegmentAfter(SegmentList& list, SegmentList::iterator position,
                                         std::unique_ptr<CMarkerSegment> segment) {
    return list.insert(std::next(position), std::move(segment));
}

SegmentList::iterator DeleteSegment(SegmentList& list, SegmentList::iterator position) {
    if ((*position)->Has(SEG_FROMFILE)) {
        (*position)->flags |= SEG_DELETED;
        return std::next(position);
    }
    return list.erase(position);
}

SegmentList::iterator ReplaceSegment(SegmentList& list, SegmentList::iterator position,
                                     std::unique_ptr<CMarkerSegment> segment) {
    auto inserted = InsertSegmentAfter(list, position, std::move(segment));
    DeleteSegment(list, position);
    return inserted;
}
