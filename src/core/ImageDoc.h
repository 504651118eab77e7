#pragma once
// The image document: one open picture with everything its reader learned about the file,
// opened and saved through the dispatch by file name extension.
#include "core/CommentItem.h"
#include "core/DibImage.h"
#include "core/Document.h"
#include "jpegtools/IfdReader.h"
#include "jpegtools/QuantTablePair.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// "640x480 ": the size as descriptions and info texts begin.
std::string FormatImageSize(int width, int height);

class CImageDoc : public CDocument {
public:
    CImageDoc();
    ~CImageDoc() override;

    bool OnNewDocument() override;
    // Re-reads the file in the document that already shows it (and returns false so that the
    // new document is dropped); otherwise loads it.
    bool OnOpenDocument(const std::string& path) override;
    bool OnSaveDocument(const std::string& path) override;
    void OnCloseDocument() override;

    // Clears everything a reader may set; run before every read.
    void ResetFormatState();
    // Load and save dispatch by the path's extension; false on failure (reported by the reader
    // or writer; an unknown extension fails silently).
    bool LoadFile(const std::string& path);
    bool SaveFile(const std::string& path);
    // Reload command: re-reads the document's file and drops the modified mark.
    bool CanReload() const { return !PathName().empty() && !converted; }
    bool Reload();

    // Turns the " *" title mark and the modified flag on or off; a new image marked for the
    // first time also gets its number, "(n)".
    void SetModifiedMark(bool on);
    void SetInfoText(const std::string& text, bool redraw);
    const std::string& InfoText() const { return infoText_; }

    CDibImage& Image() { return *image_; }
    const CDibImage& Image() const { return *image_; }
    // Replaces the image buffer (a reader's or an image operation's result).
    void SetImage(std::unique_ptr<CDibImage> image);
    int ImageWidth() const { return image_->Width(); }
    int ImageHeight() const { return image_->Height(); }

    // Comments: the list owns its items; the current item is one of them or none.
    const std::vector<std::unique_ptr<CommentItem>>& Comments() const { return comments_; }
    CommentItem* CurrentComment() const { return currentComment_; }
    CommentItem& AddComment(const CommentItem& item, bool makeCurrent);
    void ClearComments();
    // Takes an edited list; the current item becomes the first whose key matches the key of
    // the previous current item (ignoring case), or none.
    void ReplaceComments(const std::vector<CommentItem>& items);
    // Adds the default comment of the settings as the current item; the include flag follows
    // the DefaultComment setting.
    void AddDefaultComment();

    // The file the JPEG conversion wrote for this document; deleted with the document.
    void SetConversionFile(const std::string& path);
    void DeleteTemporaryFiles();
    const std::string& ConversionPath() const { return conversionPath_; }

    // Sync group: documents with the same id scroll together.
    int SyncId() const { return syncId_; }
    void SetSyncId(int id) { syncId_ = id; }
    void NewSyncId();

    // What the readers and writers record about the file.
    bool newImage = false;   // pasted and never saved
    int docType = 0;         // document type code (kTypeBmp, ...)
    uint32_t fileSize = 0;   // 0 for new, pasted and modified images
    std::string description; // format description made by the last reader or writer
    bool includeComment = false;
    int rawCommentCharset = -1; // charset code of rawComment, -1 = decide by the settings
    std::string rawComment;     // comment bytes held by a reader until they become an item
    bool hasExif = false;
    std::vector<uint8_t> exifData; // the APP1 body after its "Exif\0\0" identifier
    // The parsed Exif data (of exifData, or of a TIFF file's own directories); none without.
    std::unique_ptr<CIfdReader> exifReader;
    bool grayscale = false;
    bool customDqt = false;       // the JPEG writer uses the tables below
    QuantTablePair quantTables{}; // luminance, then chrominance
    int bitsPerSample = 0;
    double gamma = 0;
    bool hasGamma = false;
    std::vector<RgbQuad> palette; // the source file's palette
    bool hasTransparent = false;
    RgbQuad transparentColor{};
    int pngSaveMode = 0;
    bool writeGamma = false;
    bool converted = false; // shows the temporary JPEG of a conversion
    uint32_t qualityEstimate = 0;

private:
    // PNG save mode, write-gamma flag and gamma as the settings give them.
    void TakeFormatSettings();
    // Another open document showing the path, if any.
    CImageDoc* FindOtherDocument(const std::string& path) const;
    // A white 640 x 480 picture of 16 colours.
    bool MakeBlankImage();

    int syncId_ = 0;
    std::string infoText_;
    std::unique_ptr<CDibImage> image_;
    bool hasTempFiles_ = false;
    std::string conversionPath_;
    std::vector<std::unique_ptr<CommentItem>> comments_;
    CommentItem* currentComment_ = nullptr;
};
