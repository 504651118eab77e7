#include "core/JpegMarkers.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr uint8_t kExifIdentifier[6] = {'E', 'x', 'i', 'f', 0, 0};

JpegMarkerState& StateOf(j_decompress_ptr info) {
    return *static_cast<JpegMarkerState*>(info->client_data);
}

// Makes at least one byte available; false when the source has no more.
bool EnsureInput(j_decompress_ptr info) {
    jpeg_source_mgr* source = info->src;
    if (source->bytes_in_buffer == 0 && !(*source->fill_input_buffer)(info)) return false;
    return source->bytes_in_buffer > 0;
}

bool ReadBytes(j_decompress_ptr info, uint8_t* out, size_t count) {
    jpeg_source_mgr* source = info->src;
    while (count > 0) {
        if (!EnsureInput(info)) return false;
        size_t chunk = std::min(count, source->bytes_in_buffer);
        std::memcpy(out, source->next_input_byte, chunk);
        source->next_input_byte += chunk;
        source->bytes_in_buffer -= chunk;
        out += chunk;
        count -= chunk;
    }
    return true;
}

void SkipBytes(j_decompress_ptr info, size_t count) {
    if (count > 0) (*info->src->skip_input_data)(info, static_cast<long>(count));
}

// The segment's length field less its own two bytes; a field below 2 gives an empty body.
bool ReadBodyLength(j_decompress_ptr info, size_t& body) {
    uint8_t field[2];
    if (!ReadBytes(info, field, 2)) return false;
    unsigned length = field[0] << 8 | field[1];
    body = length >= 2 ? length - 2 : 0;
    return true;
}

// Reads `count` bytes into `out` (a member of the state: the processors keep no locals that
// need destroying); false, with `out` emptied, when the source runs dry or the buffer cannot
// be had.
template <typename Buffer> bool ReadBlock(j_decompress_ptr info, size_t count, Buffer& out) {
    try {
        out.resize(count);
    } catch (const std::bad_alloc&) {
        out.clear();
        SkipBytes(info, count);
        return false;
    }
    if (ReadBytes(info, reinterpret_cast<uint8_t*>(out.data()), count)) return true;
    out.clear();
    return false;
}

// Parses the Exif block; its UserComment, when it has that tag, replaces the pending comment.
void ParseExif(JpegMarkerState& state, std::vector<uint8_t> block) {
    state.exif = ExifData::ParseBlock(std::move(block));
    const CExifReader& reader = *state.exif.BlockReader();
    const CIfdEntry* entry = reader.FindTag(kTagUserComment);
    if (!entry) return;
    std::optional<ExifUserComment> comment = reader.GetUserComment(*entry, true);
    state.comment = comment ? comment->bytes : std::string();
    state.commentCharset = comment ? comment->code : -1;
    if (comment) state.hasComment = true;
}

boolean ProcessComment(j_decompress_ptr info) {
    JpegMarkerState& state = StateOf(info);
    size_t body = 0;
    if (!ReadBodyLength(info, body)) return FALSE;
    if (!ReadBlock(info, body, state.comment)) return FALSE;
    state.commentCharset = -1;
    state.hasComment = true;
    return TRUE;
}

boolean ProcessApp1(j_decompress_ptr info) {
    JpegMarkerState& state = StateOf(info);
    size_t body = 0;
    if (!ReadBodyLength(info, body)) return FALSE;
    if (body <= sizeof kExifIdentifier) {
        SkipBytes(info, body);
        return TRUE;
    }
    uint8_t identifier[sizeof kExifIdentifier];
    if (!ReadBytes(info, identifier, sizeof identifier)) return FALSE;
    size_t rest = body - sizeof identifier;
    if (std::memcmp(identifier, kExifIdentifier, sizeof identifier) != 0) {
        SkipBytes(info, rest);
        return TRUE;
    }
    state.exif = ExifData();
    state.hasExif = ReadBlock(info, rest, state.exifBlock);
    if (!state.hasExif) return FALSE;
    try {
        ParseExif(state, std::move(state.exifBlock));
    } catch (const std::bad_alloc&) {
        state.exif = ExifData();
    }
    return TRUE;
}

} // namespace

void InstallMarkerProcessors(jpeg_decompress_struct& info, JpegMarkerState& state) {
    info.client_data = &state;
    jpeg_set_marker_processor(&info, JPEG_COM, ProcessComment);
    jpeg_set_marker_processor(&info, JPEG_APP0 + 1, ProcessApp1);
}
