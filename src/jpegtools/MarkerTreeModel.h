#pragma once
// The marker and chunk inspector without its window: the segment list of one JPEG or PNG file
// as a tree of nodes (one top-level item per segment, data stretch or chunk), the hex text of
// an item, the quantization tables 0 and 1 it shows, and for JPEG files the segment-level
// edits and the writing of the edited list back over the file.
//
// Items are addressed by their index among the top-level items; a window climbs from the
// selected node to its top-level item first. Node texts are ASCII except comment text, which is
// Shift_JIS as the program holds every comment (FromShiftJis converts it for display).
#include "base/Platform.h"
#include "jpegtools/DqtPreview.h"
#include "jpegtools/MarkerNode.h"
#include "jpegtools/PngChunkNodes.h"
#include "jpegtools/SegmentList.h"

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

class CSegmentReader;

class CMarkerTreeModel {
public:
    // Asks the user a question with the buttons given and returns the answer.
    using Ask = std::function<Answer(const std::string& text, Buttons buttons)>;

    enum class SaveResult { Declined, Failed, Saved };

    // Splits the file: as PNG when its extension is ".png" (an empty tree when the signature
    // does not match), else as JPEG. false (reported "JpegMarker", 351) when it cannot be
    // opened; the tree is then empty.
    bool Load(const std::string& path);
    // As Load, reading an open stream (owned from now on); name decides PNG or JPEG and is the
    // path that saving writes to.
    bool LoadStream(FILE* stream, const std::string& name);

    const std::string& Path() const { return path_; }
    // PNG files are shown read-only.
    bool IsPng() const { return png_; }
    // Set by every edit since loading; only then is there anything to save.
    bool IsModified() const { return modified_; }
    size_t ItemCount() const { return items_.size(); }
    const MarkerNode& Item(size_t item) const { return items_[item].node; }
    const CDqtPreview& Tables() const { return tables_; }

    // The hex text of an item's segment.
    std::string HexText(size_t item) const;

    // Replaces the item's segment by the bytes of an edited hex text. When the length field
    // disagrees with the byte count, ask (string 356, Yes/No/Cancel) whether to correct it;
    // Cancel changes nothing. The new item stands where the old one stood. false when nothing
    // was changed (PNG, no such item, cancelled).
    bool ApplyEdit(size_t item, const std::string& hexText, const Ask& ask);
    // Inserts an empty comment segment after the item's segment, as item + 1.
    bool InsertComment(size_t item);
    // Deletes the item's segment.
    bool DeleteSegment(size_t item);

    // After confirmation (string 357, Yes/No, No the default), writes the edited list to a
    // temporary file in tempDir and puts it in place of the file, then loads the file again.
    // Failures are reported ("Save"/"CreateTemp" 355, "ReplaceTemp" 358) and leave the file as
    // it was. Declined without a question when nothing was edited.
    SaveResult SaveAndReload(const std::string& tempDir, const Ask& ask);

private:
    struct TreeItem {
        SegmentList::iterator segment;
        MarkerNode node;
    };

    void Clear(const std::string& path);
    void Split(CSegmentReader& reader);
    void BuildTree();
    MarkerNode NodeOf(const CMarkerSegment& segment);
    bool CanEdit(size_t item) const { return !png_ && item < items_.size(); }
    bool WriteAndReplace(const std::string& tempDir);

    std::string path_;
    SegmentList list_;
    std::vector<TreeItem> items_;
    CDqtPreview tables_;
    PngChunkContext pngContext_;
    bool png_ = false;
    bool modified_ = false;
};
