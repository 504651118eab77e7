#include "core/ImageDoc.h"

#include "base/FileExtension.h"
#include "base/ImageIdentity.h"
#include "base/Platform.h"
#include "base/ReportError.h"
#include "base/StringTable.h"
#include "core/FileReadType.h"
#include "core/FixedPalette.h"
#include "core/FormatTable.h"
#include "core/PackedImage.h"
#include "core/SaveDispatch.h"
#include "settings/SettingsStore.h"

#include <algorithm>
#include <cstdio>
#include <strings.h>

namespace {

constexpr int kBlankWidth = 640, kBlankHeight = 480;
const char* const kLoadName = "LoadFile";

// A file that no reader takes is reported all the same: one that cannot be opened as such, one
// of an unknown kind with that message.
void ReportUnreadable(const std::string& path, bool opened) {
    if (opened)
        ReportError(kLoadName, path, "この形式のファイルには対応していません");
    else
        ReportCannotOpen(kLoadName, path);
}

} // namespace

CImageDoc::CImageDoc(const DocumentContext& context)
    : context_(context), image_(std::make_unique<CDibImage>()) {
    const SettingsStore& settings = *context_.settings;
    customDqt_ = settings.useCustomDQT != 0;
    quantTables_ = customDqt_ ? settings.customTables
                              : MakeQualityTablePair(std::clamp(settings.param1, 0, 100));
    TakeFormatSettings();
}

CImageDoc::~CImageDoc() {
    DeleteTemporaryFiles();
}

void CImageDoc::TakeFormatSettings() {
    const SettingsStore& settings = *context_.settings;
    pngSaveMode_ = settings.pngSaveMode;
    writeGamma_ = settings.useWriteGammaValue != 0;
    facts_.gamma = settings.defaultGamma;
}

void CImageDoc::ResetFormatState() {
    ClearComments();
    includeComment_ = false;
    facts_.palette.clear();
    facts_.exif = ExifData();
    facts_.grayscale = false;
    facts_.hasTransparent = false;
    facts_.transparentColor = RgbQuad{};
    TakeFormatSettings();
    Changed();
}

bool CImageDoc::LoadFile(const std::string& path, DecodeAtLeast atLeast) {
    ResetFormatState();
    DeleteTemporaryFiles();
    image_ = std::make_unique<CDibImage>();
    bool opened = false;
    docType_ = ReadTypeOfFile(path, opened);
    if (docType_ == kTypeUnknown) {
        ReportUnreadable(path, opened);
        return false;
    }
    NewSyncId();
    ImageReadOptions options =
        ImageReadOptions::FromSettings(*context_.settings, Platform().ScreenDepth());
    options.atLeast = atLeast;
    std::optional<DecodedPicture> decoded = ReadImageFile(docType_, path, options);
    if (!decoded) return false;
    AdoptDecoded(std::move(*decoded));
    SetInfoText(facts_.readWarning.empty() ? facts_.description
                                           : facts_.description + "  " + facts_.readWarning,
                false);
    if (!includeComment_) AddDefaultComment();
    return true;
}

bool CImageDoc::SaveFile(const std::string& path) {
    const int type = FileTypeFromExtension(ExtensionOf(path));
    SettingsStore& settings = *context_.settings;
    if (WriterUsesControlBar(type)) context_.prompts->CommitControlBar(settings);
    std::optional<ImageFacts> written =
        SaveImageFile(SaveRequest(ImageWriteOptions::FromSettings(settings)), path);
    if (!written) return false;
    TakeWrittenFacts(std::move(*written));
    SetDocType(type);
    return true;
}

ImageSaveRequest CImageDoc::SaveRequest(const ImageWriteOptions& options) const {
    std::vector<const CommentItem*> comments;
    for (const auto& item : comments_)
        comments.push_back(item.get());
    return {.picture = *image_,
            .facts = facts_,
            .comments = std::move(comments),
            .currentComment = currentComment_,
            .includeComment = includeComment_,
            .customTables = customDqt_ ? std::optional(quantTables_) : std::nullopt,
            .pngSaveMode = pngSaveMode_,
            .writeGamma = writeGamma_,
            .options = options};
}

bool CImageDoc::Reload() {
    bool loaded = LoadFile(PathName());
    SetModifiedMark(false);
    UpdateAllViews();
    return loaded;
}

bool CImageDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument() || !MakeBlankImage()) return false;
    SetInfoText(LoadString(StringId::NewImage), false);
    facts_.description.clear();
    docType_ = kTypeBmp;
    facts_.fileSize = 0;
    NewSyncId();
    AddDefaultComment();
    return true;
}

bool CImageDoc::MakeBlankImage() {
    std::unique_ptr<CDibImage> image =
        NewPackedImage(kBlankWidth, kBlankHeight, 4, FixedPalette(16));
    if (!image) return false;
    std::fill(image->Pixels(), image->Pixels() + image->PixelSize(), 0xFF); // entry 15, white
    bool realized = image->Realize();
    image->FreeDib();
    if (!realized) return false;
    image_ = std::move(image);
    Changed();
    return true;
}

bool CImageDoc::OnOpenDocument(const std::string& path) {
    return LoadFile(path);
}

bool CImageDoc::OnSaveDocument(const std::string& path) {
    std::string extension = ExtensionOf(path);
    if (extension.empty()) return false;
    const int type = FileTypeFromExtension(extension);
    bool saved = false;
    // The conversion file holds the picture only until an edit changes it; an edited picture
    // is encoded anew.
    if (type == docType_ && converted_ && !IsModified()) {
        if (std::optional<uint32_t> size = CopyImageFile(conversionPath_, path)) {
            facts_.fileSize = *size;
            Changed();
            saved = true;
        }
    } else {
        if (type == kTypePng && !context_.prompts->ConfirmPngSaveOptions(*this)) return false;
        saved = SaveFile(path);
    }
    if (!saved) return false;
    if (converted_) {
        DeleteTemporaryFiles();
        converted_ = false;
    }
    newImage_ = false;
    SetPathName(path);
    context_.events->AddToRecentFiles(path);
    SetInfoText(facts_.description, true);
    SetModifiedFlag(false);
    UpdateAllViews();
    return true;
}

void CImageDoc::OnCloseDocument() {
    DeleteTemporaryFiles();
    CDocument::OnCloseDocument();
}

void CImageDoc::SetModifiedMark(bool on) {
    if (on && !IsModified()) {
        std::string title = Title();
        if (newImage_) {
            title += "(" + std::to_string(context_.events->NextNewImageNumber()) + ")";
            newImage_ = false;
        }
        SetTitle(title + " *");
        SetModifiedFlag(true);
        Changed();
    } else if (!on && IsModified()) {
        SetTitle(UnmarkedTitle());
        SetModifiedFlag(false);
        Changed();
    }
}

std::string CImageDoc::UnmarkedTitle() const {
    const std::string& title = Title();
    const bool marked = IsModified() && title.size() >= 2 && title.ends_with(" *");
    return marked ? title.substr(0, title.size() - 2) : title;
}

void CImageDoc::SetInfoText(const std::string& text, bool redraw) {
    infoText_ = text;
    Changed();
    if (redraw) UpdateAllViews(kUpdateRepaint);
}

void CImageDoc::AdoptDecoded(DecodedPicture decoded) {
    ImageFacts& facts = decoded.facts;
    if (!facts.hasGamma) facts.gamma = facts_.gamma;
    for (int slot = 0; slot < 2; ++slot)
        if (facts.hasTable[slot])
            std::copy(facts.tables[slot].begin(), facts.tables[slot].end(),
                      quantTables_.begin() + slot * 64);
    TakeFileComments(facts);
    ReplaceImage(std::move(decoded.image), std::move(facts));
}

void CImageDoc::TakeFileComments(ImageFacts& facts) {
    ClearComments();
    for (size_t i = 0; i < facts.comments.size(); ++i)
        AddComment(facts.comments[i], static_cast<int>(i) == facts.currentComment);
    includeComment_ = facts.includeComment;
    facts.comments.clear();
    facts.currentComment = -1;
}

void CImageDoc::ReplaceImage(std::unique_ptr<CDibImage> image) {
    image_ = image ? std::move(image) : std::make_unique<CDibImage>();
    Changed();
}

void CImageDoc::ReplaceImage(std::unique_ptr<CDibImage> image, ImageFacts facts) {
    facts_ = std::move(facts);
    ReplaceImage(std::move(image));
}

void CImageDoc::TakeWrittenFacts(ImageFacts facts) {
    facts_ = std::move(facts);
    Changed();
}

void CImageDoc::SetDocType(int type) {
    docType_ = type;
    Changed();
}

void CImageDoc::SetNewImage(bool newImage) {
    newImage_ = newImage;
    Changed();
}

void CImageDoc::SetIncludeComment(bool include) {
    includeComment_ = include;
    Changed();
}

void CImageDoc::SetCustomDqt(bool use) {
    customDqt_ = use;
    Changed();
}

void CImageDoc::SetQuantTables(const QuantTablePair& tables) {
    quantTables_ = tables;
    Changed();
}

void CImageDoc::SetPngSaveState(int saveMode, bool writeGamma) {
    pngSaveMode_ = saveMode;
    writeGamma_ = writeGamma;
    Changed();
}

void CImageDoc::SetTransparency(bool known, const RgbQuad& color) {
    facts_.hasTransparent = known;
    facts_.transparentColor = color;
    Changed();
}

void CImageDoc::SetGamma(double gamma) {
    facts_.gamma = gamma;
    facts_.hasGamma = true;
    Changed();
}

void CImageDoc::SetSyncId(int id) {
    syncId_ = id;
    Changed();
}

void CImageDoc::AddComment(const CommentItem& item, bool makeCurrent) {
    comments_.push_back(std::make_unique<const CommentItem>(item));
    if (makeCurrent) currentComment_ = comments_.back().get();
    Changed();
}

void CImageDoc::ClearComments() {
    currentComment_ = nullptr;
    comments_.clear();
    Changed();
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
    const SettingsStore& settings = *context_.settings;
    includeComment_ = settings.defaultComment != 0;
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
    converted_ = true;
    Changed();
}

void CImageDoc::DeleteTemporaryFiles() {
    if (!hasTempFiles_) return;
    std::remove(conversionPath_.c_str());
    conversionPath_.clear();
    hasTempFiles_ = false;
    Changed();
}

void CImageDoc::NewSyncId() {
    syncId_ = NewImageIdentity([this](int id) {
        if (!context_.documents) return false;
        const auto& documents = *context_.documents;
        return std::any_of(documents.begin(), documents.end(), [&](const auto& document) {
            return document.get() != this && document->SyncId() == id;
        });
    });
    Changed();
}
