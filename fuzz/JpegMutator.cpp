#include "JpegMutator.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// A record: fill bytes from begin, the marker at marker (absent for a data stretch), up to end.
struct Record {
    size_t begin = 0, marker = 0, end = 0;
    bool isData = false;
};

bool IsStandalone(uint8_t code) {
    return (code >= 0xD0 && code <= 0xD9) || code == 0x01 || code == 0x00 || code == 0xFF;
}

bool EndsDataStretch(const uint8_t* data, size_t size, size_t at) {
    if (data[at] != 0xFF || at + 1 >= size) return false;
    const uint8_t next = data[at + 1];
    return next != 0x00 && !(next >= 0xD0 && next <= 0xD7);
}

Record MarkerRecord(const uint8_t* data, size_t size, size_t at) {
    Record record{at, at, size};
    while (record.marker + 1 < size && data[record.marker + 1] == 0xFF)
        ++record.marker;
    if (record.marker + 1 >= size) return record;
    const uint8_t code = data[record.marker + 1];
    if (IsStandalone(code)) {
        record.end = record.marker + 2;
    } else if (record.marker + 4 <= size) {
        const size_t length = data[record.marker + 2] << 8 | data[record.marker + 3];
        record.end = std::min(size, record.marker + 2 + std::max<size_t>(length, 2));
    }
    return record;
}

// The records of a JPEG input; none when it does not start with SOI.
std::vector<Record> Split(const uint8_t* data, size_t size) {
    std::vector<Record> records;
    if (size < 2 || data[0] != 0xFF || data[1] != 0xD8) return records;
    for (size_t at = 0; at < size;) {
        Record record;
        if (data[at] == 0xFF) {
            record = MarkerRecord(data, size, at);
        } else {
            size_t end = at + 1;
            while (end < size && !EndsDataStretch(data, size, end))
                ++end;
            record = {at, at, end, true};
        }
        records.push_back(record);
        at = record.end;
    }
    return records;
}

size_t Pick(std::mt19937& random, size_t count) {
    return std::uniform_int_distribution<size_t>(0, count - 1)(random);
}

template <typename T, size_t N> T PickOf(std::mt19937& random, const std::array<T, N>& from) {
    return from[Pick(random, N)];
}

// A record that has a length field, or none.
const Record* PickSegment(const std::vector<Record>& records, std::mt19937& random) {
    std::vector<const Record*> candidates;
    for (const Record& record : records)
        if (!record.isData && record.marker + 4 <= record.end) candidates.push_back(&record);
    return candidates.empty() ? nullptr : candidates[Pick(random, candidates.size())];
}

const Record* PickMarker(const std::vector<Record>& records, std::mt19937& random) {
    std::vector<const Record*> candidates;
    for (const Record& record : records)
        if (!record.isData && record.marker + 2 <= record.end) candidates.push_back(&record);
    return candidates.empty() ? nullptr : candidates[Pick(random, candidates.size())];
}

void Put16(uint8_t* at, uint32_t value, bool little) {
    at[little ? 0 : 1] = value & 0xFF;
    at[little ? 1 : 0] = value >> 8 & 0xFF;
}

void Put32(uint8_t* at, uint32_t value, bool little) {
    for (int i = 0; i < 4; ++i)
        at[little ? i : 3 - i] = value >> (8 * i) & 0xFF;
}

uint32_t Get16(const uint8_t* at, bool little) {
    return little ? at[0] | at[1] << 8 : at[0] << 8 | at[1];
}

uint32_t Get32(const uint8_t* at, bool little) {
    return little ? Get16(at, true) | Get16(at + 2, true) << 16
                  : Get16(at, false) << 16 | Get16(at + 2, false);
}

// A value near the current one, an edge value, or one that points inside limit.
uint32_t NearbyValue(uint32_t current, uint32_t limit, std::mt19937& random) {
    switch (Pick(random, 4)) {
    case 0:
        return current + static_cast<uint32_t>(Pick(random, 9)) - 4;
    case 1:
        return PickOf(random, std::array<uint32_t, 6>{0, 1, 2, 0x7FFF, 0xFFFF, 0xFFFFFFFF});
    case 2:
        return limit + static_cast<uint32_t>(Pick(random, 5)) - 2;
    default:
        return static_cast<uint32_t>(Pick(random, limit + 1));
    }
}

bool SetLength(Bytes& bytes, const std::vector<Record>& records, std::mt19937& random) {
    const Record* record = PickSegment(records, random);
    if (!record) return false;
    uint8_t* field = bytes.data() + record->marker + 2;
    const uint32_t toEnd =
        static_cast<uint32_t>(std::min<size_t>(bytes.size() - record->marker - 2, 0xFFFF));
    Put16(field, NearbyValue(Get16(field, false), toEnd, random) & 0xFFFF, false);
    return true;
}

bool SetMarkerCode(Bytes& bytes, const std::vector<Record>& records, std::mt19937& random) {
    const Record* record = PickMarker(records, random);
    if (!record) return false;
    static constexpr std::array<uint8_t, 24> kCodes{0xD8, 0xD9, 0xDA, 0xDB, 0xC4, 0xC0, 0xC1, 0xC2,
                                                    0xC3, 0xC9, 0xCC, 0xDD, 0xD0, 0xD7, 0xE0, 0xE1,
                                                    0xE2, 0xED, 0xEE, 0xEF, 0xFE, 0x01, 0x00, 0xF0};
    bytes[record->marker + 1] = Pick(random, 4) ? PickOf(random, kCodes) : Pick(random, 256);
    return true;
}

// Adds fill bytes before a marker, or takes them away.
bool ChangeFill(Bytes& bytes, const std::vector<Record>& records, std::mt19937& random) {
    const Record* record = PickMarker(records, random);
    if (!record) return false;
    if (record->marker > record->begin && Pick(random, 2)) {
        bytes.erase(bytes.begin() + record->begin, bytes.begin() + record->marker);
    } else {
        bytes.insert(bytes.begin() + record->marker, 1 + Pick(random, 8), 0xFF);
    }
    return true;
}

Bytes RecordBytes(const Bytes& bytes, const Record& record) {
    return Bytes(bytes.begin() + record.begin, bytes.begin() + record.end);
}

// Moves, duplicates or deletes a whole record.
bool Rearrange(Bytes& bytes, const std::vector<Record>& records, std::mt19937& random) {
    if (records.size() < 2) return false;
    std::vector<Bytes> pieces;
    for (const Record& record : records)
        pieces.push_back(RecordBytes(bytes, record));
    const size_t from = Pick(random, pieces.size());
    const size_t to = Pick(random, pieces.size());
    switch (Pick(random, 3)) {
    case 0:
        std::swap(pieces[from], pieces[to]);
        break;
    case 1:
        pieces.insert(pieces.begin() + to, pieces[from]);
        break;
    default:
        pieces.erase(pieces.begin() + from);
        break;
    }
    bytes.clear();
    for (const Bytes& piece : pieces)
        bytes.insert(bytes.end(), piece.begin(), piece.end());
    return true;
}

// Changes the bytes after a segment's length field and sets the field to their new count.
bool MutatePayload(Bytes& bytes, const std::vector<Record>& records, std::mt19937& random,
                   ByteMutator mutate) {
    const Record* record = PickSegment(records, random);
    if (!record) return false;
    Bytes payload(bytes.begin() + record->marker + 4, bytes.begin() + record->end);
    const size_t size = payload.size();
    payload.resize(std::min<size_t>(0xFFFD, size * 2 + 16));
    if (size == 0) payload[0] = static_cast<uint8_t>(random());
    payload.resize(mutate(payload.data(), std::max<size_t>(size, 1), payload.size()));
    Put16(bytes.data() + record->marker + 2, static_cast<uint32_t>(payload.size() + 2), false);
    bytes.erase(bytes.begin() + record->marker + 4, bytes.begin() + record->end);
    bytes.insert(bytes.begin() + record->marker + 4, payload.begin(), payload.end());
    return true;
}

// The TIFF header of the first Exif APP1 record: its position and the record's end.
bool FindExif(const Bytes& bytes, const std::vector<Record>& records, size_t& tiff, size_t& end) {
    static constexpr char kExif[] = "Exif\0";
    for (const Record& record : records) {
        const size_t header = record.marker + 10;
        if (record.isData || header + 8 > record.end || bytes[record.marker + 1] != 0xE1) continue;
        if (std::memcmp(bytes.data() + record.marker + 4, kExif, 6) != 0) continue;
        tiff = header;
        end = record.end;
        return true;
    }
    return false;
}

// Changes the IFD0 offset, an IFD0 entry's type, count or value, or the next-IFD offset.
bool MutateExif(Bytes& bytes, const std::vector<Record>& records, std::mt19937& random) {
    size_t tiff = 0, end = 0;
    if (!FindExif(bytes, records, tiff, end)) return false;
    const bool little = bytes[tiff] == 'I';
    const uint32_t span = static_cast<uint32_t>(end - tiff);
    uint8_t* field = bytes.data() + tiff + 4;
    const size_t ifd = tiff + Get32(field, little);
    if (Get32(field, little) < span && ifd + 2 <= end && Pick(random, 4)) {
        const size_t count = Get16(bytes.data() + ifd, little);
        const size_t index = Pick(random, count + 1);
        const size_t entry = ifd + 2 + 12 * index;
        if (index == count && entry + 4 <= end) {
            field = bytes.data() + entry; // the next-IFD offset
        } else if (entry + 12 <= end) {
            static constexpr std::array<size_t, 3> kParts{2, 4, 8}; // type, count, value
            const size_t part = PickOf(random, kParts);
            field = bytes.data() + entry + part;
            if (part == 2) {
                Put16(field, static_cast<uint32_t>(Pick(random, 14)), little);
                return true;
            }
        }
    }
    Put32(field, NearbyValue(Get32(field, little), span, random), little);
    return true;
}

bool MutateStructure(Bytes& bytes, std::mt19937& random, ByteMutator mutate) {
    const std::vector<Record> records = Split(bytes.data(), bytes.size());
    if (records.empty()) return false;
    switch (Pick(random, 6)) {
    case 0:
        return SetLength(bytes, records, random);
    case 1:
        return SetMarkerCode(bytes, records, random);
    case 2:
        return ChangeFill(bytes, records, random);
    case 3:
        return Rearrange(bytes, records, random);
    case 4:
        return MutatePayload(bytes, records, random, mutate);
    default:
        return MutateExif(bytes, records, random) || SetLength(bytes, records, random);
    }
}

} // namespace

size_t MutateJpeg(uint8_t* data, size_t size, size_t maxSize, std::mt19937& random,
                  ByteMutator bytes) {
    // A share of plain byte mutations keeps the splitter's own edge cases in reach.
    if (Pick(random, 4) != 0) {
        Bytes mutated(data, data + size);
        if (MutateStructure(mutated, random, bytes) && mutated.size() <= maxSize &&
            !mutated.empty()) {
            std::memcpy(data, mutated.data(), mutated.size());
            return mutated.size();
        }
    }
    return bytes(data, size, maxSize);
}

// Provided by libFuzzer; absent from the replay build, which never mutates.
extern "C" __attribute__((weak)) size_t LLVMFuzzerMutate(uint8_t* data, size_t size,
                                                         size_t maxSize);

size_t MutateJpegInput(uint8_t* data, size_t size, size_t maxSize, unsigned seed, size_t prefix) {
    std::mt19937 random(seed);
    if (size <= prefix || maxSize <= prefix) return LLVMFuzzerMutate(data, size, maxSize);
    if (prefix > 0 && Pick(random, 8) == 0) {
        data[Pick(random, prefix)] ^= 1 << Pick(random, 8);
        return size;
    }
    return prefix +
           MutateJpeg(data + prefix, size - prefix, maxSize - prefix, random, LLVMFuzzerMutate);
}
