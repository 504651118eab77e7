#pragma once
// The image document: one open picture with everything its reader learned about the file,
// opened and saved through the dispatch by file name extension. Its state changes only through
// its methods, each of which counts a revision; the views are told at the points where the
// picture is to be redrawn. Settings, events and prompts come from the context its template
// gives it.
#include "core/CommentItem.h"
#include "core/DibImage.h"
#include "core/Document.h"
#include "core/DocumentContext.h"
#include "core/ImageFacts.h"
#include "core/ImageReadOptions.h"
#include "core/ImageSaveRequest.h"
#include "jpegtools/QuantTablePair.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CImageDoc : public CDocument {
public:
    // The context (normally its template's) must outlive the document.
    explicit CImageDoc(const DocumentContext& context);
    ~CImageDoc() override;

    bool OnNewDocument() override;
    bool OnOpenDocument(const std::string& path) override;
    bool OnSaveDocument(const std::string& path) override;
    void OnCloseDocument() override;

    // Clears everything a reader may set; run before every read.
    void ResetFormatState();
    // Load dispatch by the file's first bytes, else by the path's extension, and save dispatch
    // by the extension; false on failure. Readers and writers report their failures; a file
    // that no reader takes is reported here, an unknown save extension fails silently.
    // atLeast allows a JPEG to be decoded at a reduced scale (see DecodeAtLeast).
    bool LoadFile(const std::string& path, DecodeAtLeast atLeast = {});
    bool SaveFile(const std::string& path);
    // Reload command: re-reads the document's file and drops the modified mark.
    bool Reload();

    // Turns the " *" title mark and the modified flag on or off; a new image marked for the
    // first time also gets its number, "(n)".
    void SetModifiedMark(bool on);
    // The title without the " *" mark of a modified document.
    std::string UnmarkedTitle() const;
    // Sets the info text; with redraw the views repaint.
    void SetInfoText(const std::string& text, bool redraw);
    const std::string& InfoText() const { return infoText_; }

    // Counts the changes of the picture and of the document's state; views and tests compare
    // it to see whether anything changed since they last looked.
    uint64_t Revision() const { return revision_; }

    // The picture; it changes only through AdoptDecoded and ReplaceImage.
    const CDibImage& Image() const { return *image_; }
    int ImageWidth() const { return image_->Width(); }
    int ImageHeight() const { return image_->Height(); }

    // Everything the readers and writers learned about the file.
    const ImageFacts& Facts() const { return facts_; }
    // Takes a reader's result: the picture and the facts of its file together. The file's
    // comments become the comment list (with its current item and include flag), its
    // quantization tables replace the document's in the slots it defines, and without a gamma
    // of its own the document keeps the gamma of the settings.
    void AdoptDecoded(DecodedPicture decoded);
    // Replaces the picture (an image operation's result, a pasted image, a plane), keeping the
    // facts, or with the facts given.
    void ReplaceImage(std::unique_ptr<CDibImage> image);
    void ReplaceImage(std::unique_ptr<CDibImage> image, ImageFacts facts);
    // Takes what a writer learned about the file it wrote.
    void TakeWrittenFacts(ImageFacts facts);
    // What a writer takes of the document: picture, facts, comments, tables and PNG state, with
    // the options of the save. It refers to the document, which must outlive it.
    ImageSaveRequest SaveRequest(const ImageWriteOptions& options) const;

    // The document type code (kTypeBmp, ...).
    int DocType() const { return docType_; }
    void SetDocType(int type);
    // Pasted and never saved.
    bool IsNewImage() const { return newImage_; }
    void SetNewImage(bool newImage);
    // Shows the temporary JPEG of a conversion.
    bool IsConverted() const { return converted_; }

    // Comments: the list owns its items; the current item is one of them or none.
    const std::vector<std::unique_ptr<const CommentItem>>& Comments() const { return comments_; }
    const CommentItem* CurrentComment() const { return currentComment_; }
    void AddComment(const CommentItem& item, bool makeCurrent);
    void ClearComments();
    // Takes an edited list; the current item becomes the first whose key matches the key of
    // the previous current item (ignoring case), or none.
    void ReplaceComments(const std::vector<CommentItem>& items);
    // Adds the default comment of the settings as the current item; the include flag follows
    // the DefaultComment setting.
    void AddDefaultComment();
    // Comments are written on save and shown as enabled.
    bool IncludesComment() const { return includeComment_; }
    void SetIncludeComment(bool include);

    // The file the JPEG conversion wrote for this document, which it now shows; deleted with
    // the document.
    void SetConversionFile(const std::string& path);
    void DeleteTemporaryFiles();
    const std::string& ConversionPath() const { return conversionPath_; }

    // Sync group: documents with the same id scroll together.
    int SyncId() const { return syncId_; }
    void SetSyncId(int id);
    void NewSyncId();

    // The JPEG writer uses the document's two tables (luminance, then chrominance) when set.
    bool UsesCustomDqt() const { return customDqt_; }
    void SetCustomDqt(bool use);
    const QuantTablePair& QuantTables() const { return quantTables_; }
    void SetQuantTables(const QuantTablePair& tables);

    // The PNG save mode and write-gamma flag (from the settings at every reset, or as the PNG
    // save options chose).
    int PngSaveMode() const { return pngSaveMode_; }
    bool WritesGamma() const { return writeGamma_; }
    void SetPngSaveState(int saveMode, bool writeGamma);
    // A transparent colour known for saving, or none.
    void SetTransparency(bool known, const RgbQuad& color);
    // A gamma typed for saving: it counts as present.
    void SetGamma(double gamma);

private:
    // PNG save mode, write-gamma flag and gamma as the settings give them.
    void TakeFormatSettings();
    // A white 640 x 480 picture of 16 colours.
    bool MakeBlankImage();
    // The file's comments become the list.
    void TakeFileComments(ImageFacts& facts);
    void Changed() { ++revision_; }

    const DocumentContext& context_;
    uint64_t revision_ = 0;
    bool newImage_ = false;
    int docType_ = 0;
    bool includeComment_ = false;
    bool customDqt_ = false;
    QuantTablePair quantTables_{};
    int pngSaveMode_ = 0;
    bool writeGamma_ = false;
    bool converted_ = false;
    ImageFacts facts_;
    int syncId_ = 0;
    std::string infoText_;
    std::unique_ptr<CDibImage> image_;
    bool hasTempFiles_ = false;
    std::string conversionPath_;
    std::vector<std::unique_ptr<const CommentItem>> comments_;
    const CommentItem* currentComment_ = nullptr;
};
