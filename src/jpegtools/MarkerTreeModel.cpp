#include "jpegtools/MarkerTreeModel.h"

#include "base/FileExtension.h"
#include "base/ReportError.h"
#include "base/StringTable.h"
#include "base/TempFile.h"
#include "jpegtools/JpegMarkerNodes.h"
#include "jpegtools/ReplaceFileViaTemp.h"
#include "jpegtools/SegmentHexText.h"
#include "jpegtools/SegmentReader.h"

#include <cstring>
#include <strings.h>

namespace {

constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr uint8_t kEmptyComment[4] = {0xFF, 0xFE, 0x00, 0x02};
constexpr size_t kMaxLengthField = 0xFFFF;

bool HasPngExtension(const std::string& path) {
    return strcasecmp(ExtensionOf(path).c_str(), ".png") == 0;
}

// Brings the length field (bytes 2-3) in line with the byte count, asking first; false when
// the user cancels.
bool SettleLengthField(std::vector<uint8_t>& bytes, const CMarkerTreeModel::Ask& ask) {
    if (bytes.size() <= 3) return true;
    const size_t actual = bytes.size() - 2;
    if ((size_t{bytes[2]} << 8 | bytes[3]) == actual) return true;
    const Answer answer = ask(LoadString(StringId::LengthMismatchQuestion), Buttons::YesNoCancel);
    if (answer != Answer::Yes && answer != Answer::No) return false;
    // A segment longer than the field can count keeps its field as typed.
    if (answer == Answer::Yes && actual <= kMaxLengthField) {
        bytes[2] = static_cast<uint8_t>(actual >> 8);
        bytes[3] = static_cast<uint8_t>(actual);
    }
    return true;
}

} // namespace

void CMarkerTreeModel::Clear(const std::string& path) {
    path_ = path;
    items_.clear();
    list_.clear();
    tables_.Clear();
    pngContext_ = {};
    png_ = modified_ = false;
}

bool CMarkerTreeModel::Load(const std::string& path) {
    Clear(path);
    CSegmentReader reader;
    if (!reader.Open(path)) {
        ReportErrorId("JpegMarker", path, StringId::CannotOpen);
        return false;
    }
    Split(reader);
    return true;
}

bool CMarkerTreeModel::LoadStream(FILE* stream, const std::string& name) {
    Clear(name);
    CSegmentReader reader;
    if (!stream || !reader.Attach(stream)) {
        ReportErrorId("JpegMarker", name, StringId::CannotOpen);
        return false;
    }
    Split(reader);
    return true;
}

void CMarkerTreeModel::Split(CSegmentReader& reader) {
    {
        WaitCursor wait;
        if (!HasPngExtension(path_)) {
            reader.ParseJpeg(list_);
        } else {
            uint8_t signature[sizeof kPngSignature];
            png_ = reader.Read(signature, sizeof signature) == sizeof signature &&
                   std::memcmp(signature, kPngSignature, sizeof signature) == 0;
            if (png_) reader.ParsePng(list_);
        }
        reader.Close();
    }
    BuildTree();
}

MarkerNode CMarkerTreeModel::NodeOf(const CMarkerSegment& segment) {
    if (png_) return PngChunkNode(static_cast<const CPngChunk&>(segment), pngContext_);
    return JpegSegmentNode(segment, tables_);
}

void CMarkerTreeModel::BuildTree() {
    items_.clear();
    for (auto it = list_.begin(); it != list_.end(); ++it)
        if (!(*it)->IsDeleted()) items_.push_back({it, NodeOf(**it)});
}

std::string CMarkerTreeModel::HexText(size_t item) const {
    return item < items_.size() ? SegmentHexText(**items_[item].segment) : std::string();
}

bool CMarkerTreeModel::ApplyEdit(size_t item, const std::string& hexText, const Ask& ask) {
    if (!CanEdit(item)) return false;
    std::vector<uint8_t> bytes = ParseHexText(hexText);
    if (!SettleLengthField(bytes, ask)) return false;
    auto replacement = std::make_unique<CMarkerSegment>(bytes.size(), bytes.data());
    TreeItem& edited = items_[item];
    edited.segment = ReplaceSegment(list_, edited.segment, std::move(replacement));
    edited.node = NodeOf(**edited.segment);
    modified_ = true;
    return true;
}

bool CMarkerTreeModel::InsertComment(size_t item) {
    if (!CanEdit(item)) return false;
    auto comment = std::make_unique<CMarkerSegment>(sizeof kEmptyComment, kEmptyComment);
    auto inserted = InsertSegmentAfter(list_, items_[item].segment, std::move(comment));
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(item) + 1,
                  {inserted, NodeOf(**inserted)});
    modified_ = true;
    return true;
}

bool CMarkerTreeModel::DeleteSegment(size_t item) {
    if (!CanEdit(item)) return false;
    ::DeleteSegment(list_, items_[item].segment);
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(item));
    modified_ = true;
    return true;
}

CMarkerTreeModel::SaveResult CMarkerTreeModel::SaveAndReload(const std::string& tempDir,
                                                             const Ask& ask) {
    if (png_ || !modified_) return SaveResult::Declined;
    if (ask(LoadString(StringId::SaveMarkersQuestion), Buttons::YesNo) != Answer::Yes)
        return SaveResult::Declined;
    if (!WriteAndReplace(tempDir)) return SaveResult::Failed;
    Load(path_);
    return SaveResult::Saved;
}

// The temporary file is removed unless replacing the file failed after it was written; then
// it stays, as the message says, for the user to recover.
bool CMarkerTreeModel::WriteAndReplace(const std::string& tempDir) {
    std::string tempPath;
    if (!CreateTempFile(tempDir, "tlmn", ".jpg", tempPath)) {
        ReportErrorId("Save", tempDir, StringId::NoTempFile);
        return false;
    }
    CSegmentReader writer;
    if (!writer.WriteSegments(path_, tempPath, list_)) {
        ReportErrorId("CreateTemp", tempPath, StringId::NoTempFile);
        std::remove(tempPath.c_str());
        return false;
    }
    if (!ReplaceFileViaTemp(tempPath, path_)) {
        ReportErrorId("ReplaceTemp", tempPath, StringId::TempCopyFailed);
        return false;
    }
    std::remove(tempPath.c_str());
    return true;
}
