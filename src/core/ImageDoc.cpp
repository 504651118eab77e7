#include "core/ImageDoc.h"

#include "app/settings/SettingsStore.h"
#include "app/util/FileExtension.h"
#include "app/util/ImageIdentity.h"
#include "app/util/StringTable.h"
#include "core/DocTemplate.h"
#include "core/DocumentHost.h"
#include "core/FixedPalette.h"
#include "core/FormatTable.h"
#include "core/PackedImage.h"
#include "core/SaveDispatch.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <strings.h>

namespace {

constexpr int kNewImageTextId = 279;
constexpr int kBlankWidth = 640, kBlankHeight = 480;

// Two paths name the same file when they resolve to the same place (file names are
// case-sensitive here).
std::string ResolvedPath(const std::string& path) {
    std::error_code error;
    std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
    return error ? path : resolved.string();
}

} // namespace

std::string FormatImageSize(int width, int height) {
    char text[32];
    std::snprintf(text, sizeof text, "%dx%d ", width, height);
    return text;
}

CImageDoc::CImageDoc() : image_(std::make_unique<CDibImage>()) {
    SettingsStore& settings = AppSettings();
    customDqt = settings.useCustomDQT != 0;
    if (customDqt) {
        quantTables = settings.customTables;
    } else {
        DocumentHost().CommitControlBar(settings);
        quantTables = MakeQualityTablePair(std::clamp(settings.param1, 0, 100));
    }
    TakeFormatSettings();
}

CImageDoc::~CImageDoc() {
    DeleteTemporaryFiles();
}

void CImageDoc::TakeFormatSettings() {
    const SettingsStore& settings = AppSettings();
    pngSaveMode = settings.pngSaveMode;
    writeGamma = settings.useWriteGammaValue != 0;
    gamma = settings.defaultGamma;
}

void CImageDoc::ResetFormatState() {
    ClearComments();
    includeComment = false;
    palette.clear();
    hasExif = false;
    exifReader.reset(); // it may view exifData
    exifData.clear();
    rawComment.clear();
    rawCommentCharset = -1;
    grayscale = false;
    hasTransparent = false;
    transparentColor = RgbQuad{};
    TakeFormatSettings();
}

bool CImageDoc::LoadFile(const std::string& path) {
    ResetFormatState();
    DeleteTemporaryFiles();
    image_ = std::make_unique<CDibImage>();
    std::string extension = ExtensionOf(path);
    if (extension.empty()) return false;
    docType = FileTypeFromExtension(extension);
    NewSyncId();
    if (!ReadImageFile(*this, docType, path)) return false;
    SetInfoText(description, false);
    if (!includeComment) AddDefaultComment();
    return true;
}

bool CImageDoc::SaveFile(const std::string& path) {
    return SaveImageFile(*this, path);
}

bool CImageDoc::Reload() {
    bool loaded = LoadFile(PathName());
    SetModifiedMark(false);
    UpdateAllViews();
    return loaded;
}

bool CImageDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument() || !MakeBlankImage()) return false;
    SetInfoText(LoadString(kNewImageTextId), false);
    description.clear();
    docType = kTypeBmp;
    fileSize = 0;
    NewSyncId();
    AddDefaultComment();
    return true;
}

bool CImageDoc::MakeBlankImage() {
    std::unique_ptr<CDibImage> image = NewPackedImage(kBlankWidth, kBlankHeight, 4, FixedPalette(16));
    if (!image) return false;
    std::fill(image->Pixels(), image->Pixels() + image->PixelSize(), 0xFF); // entry 15, white
    bool realized = image->Realize();
    image->FreeDib();
    if (!realized) return false;
    image_ = std::move(image);
    return true;
}

CImageDoc* CImageDoc::FindOtherDocument(const std::string& path) const {
    if (!Template()) return nullptr;
    const std::string wanted = ResolvedPath(path);
    for (const auto& document : Template()->Documents())
        if (document.get() != this && !document->PathName().empty() &&
            ResolvedPath(document->PathName()) == wanted)
            return document.get();
    return nullptr;
}

bool CImageDoc::OnOpenDocument(const std::string& path) {
    CImageDoc* other = FindOtherDocument(path);
    if (!other) return LoadFile(path);
    other->LoadFile(path);
    other->SetModifiedMark(false);
    other->UpdateAllViews();
    DocumentHost().ActivateDocument(*other);
    return false;
}

bool CImageDoc::OnSaveDocument(const std::string& path) {
    std::string extension = ExtensionOf(path);
    if (extension.empty()) return false;
    const int type = FileTypeFromExtension(extension);
    bool saved = false;
    // The conversion file holds the picture only until an edit changes it; an edited picture
    // is encoded anew.
    if (type == docType && converted && !IsModified()) {
        saved = CopyImageFile(*this, conversionPath_, path);
    } else {
        if (type == kTypePng && !DocumentHost().ConfirmPngSaveOptions(*this)) return false;
        saved = SaveFile(path);
    }
    if (!saved) return false;
    if (converted) {
        DeleteTemporaryFiles();
        converted = false;
    }
    SetPathName(path);
    SetInfoText(description, true);
    SetModifiedFlag(false);
    UpdateAllViews();
    newImage = false;
    return true;
}

void CImageDoc::OnCloseDocument() {
    DeleteTemporaryFiles();
    if (Template() && Template()->Documents().size() == 1) DocumentHost().LastDocumentClosed();
    CDocument::OnCloseDocument();
}

void CImageDoc::SetModifiedMark(bool on) {
    if (on && !IsModified()) {
        std::string title = Title();
        if (newImage) {
            title += "(" + std::to_string(DocumentHost().NextNewImageNumber()) + ")";
            newImage = false;
        }
        SetTitle(title + " *");
        SetModifiedFlag(true);
    } else if (!on && IsModified()) {
        const std::string& title = Title();
        if (title.size() >= 2 && title.compare(title.size() - 2, 2, " *") == 0)
            SetTitle(title.substr(0, title.size() - 2));
        SetModifiedFlag(false);
    }
}

void CImageDoc::SetInfoText(const std::string& text, bool redraw) {
    infoText_ = text;
    if (redraw) UpdateAllViews();
}

void CImageDoc::SetImage(std::unique_ptr<CDibImage> image) {
    image_ = image ? std::move(image) : std::make_unique<CDibImage>();
}

CommentItem& CImageDoc::AddComment(const CommentItem& item, bool makeCurrent) {
    comments_.push_back(std::make_unique<CommentItem>(item));
    if (makeCurrent) currentComment_ = comments_.back().get();
    return *comments_.back();
}

void CImageDoc::ClearComments() {
    currentComment_ = nullptr;
    comments_.clear();
}

void CImageDoc::ReplaceComments(const std::vector<CommentItem>& items) {
    const std::string previousKey = currentComment_ ? currentComment_->key : std::string();
    const bool hadCurrent = currentComment_ != nullptr;
    ClearComments();
    for (const CommentItem& item : items) {
        bool matches = hadCurrent && !currentComment_ &&
                       strcasecmp(item.key.c_str(), previousKey.c_str()) == 0;
        AddComment(item, matches);
    }
}

void CImageDoc::AddDefaultComment() {
    const SettingsStore& settings = AppSettings();
    includeComment = settings.defaultComment != 0;
    CommentItem item;
    item.charset = settings.defaultCommentCharset;
    item.key = "Comment";
    item.text = settings.defaultCommentText;
    AddComment(item, true);
}

void CImageDoc::SetConversionFile(const std::string& path) {
    DeleteTemporaryFiles();
    conversionPath_ = path;
    hasTempFiles_ = true;
    converted = true;
}

void CImageDoc::DeleteTemporaryFiles() {
    if (!hasTempFiles_) return;
    std::remove(conversionPath_.c_str());
    conversionPath_.clear();
    hasTempFiles_ = false;
}

void CImageDoc::NewSyncId() {
    syncId_ = NewImageIdentity([this](int id) {
        if (!Template()) return false;
        const auto& documents = Template()->Documents();
        return std::any_of(documents.begin(), documents.end(), [&](const auto& document) {
            return document.get() != this && document->SyncId() == id;
        });
    });
}
