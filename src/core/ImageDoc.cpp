#include "core/ImageDoc.h"

#include "base/FileExtension.h"
#include "base/ImageIdentity.h"
#include "base/Platform.h"
#include "base/ReportError.h"
#include "base/StringTable.h"
#include "core/DocTemplate.h"
#include "core/DocumentHost.h"
#include "core/FileReadType.h"
#include "core/FixedPalette.h"
#include "core/FormatTable.h"
#include "core/PackedImage.h"
#include "core/SaveDispatch.h"
#include "settings/SettingsStore.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <strings.h>

namespace {

constexpr int kBlankWidth = 640, kBlankHeight = 480;
const char* const kLoadName = "LoadFile";

// Two paths name the same file when they resolve to the same place (file names are
// case-sensitive here).
std::string ResolvedPath(const std::string& path) {
    std::error_code error;
    std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
    return error ? path : resolved.string();
}

// A file that no reader takes is reported all the same: one that cannot be opened as such, one
// of an unknown kind with that message.
void ReportUnreadable(const std::string& path, bool opened) {
    if (opened)
        ReportError(kLoadName, path, "この形式のファイルには対応していません");
    else
        ReportCannotOpen(kLoadName, path);
}

} // namespace

std::string FormatImageSize(int width, int height) {
    char text[32];
    std::snprintf(text, sizeof text, "%dx%d ", width, height);
    return text;
}

CImageDoc::CImageDoc() : image_(std::make_unique<CDibImage>()) {
    SettingsStore& settings = AppSettings();
    customDqt_ = settings.useCustomDQT != 0;
    if (customDqt_) {
        quantTables_ = settings.customTables;
    } else {
        DocumentHost().CommitControlBar(settings);
        quantTables_ = MakeQualityTablePair(std::clamp(settings.param1, 0, 100));
    }
    TakeFormatSettings();
}

CImageDoc::~CImageDoc() {
    DeleteTemporaryFiles();
}

void CImageDoc::TakeFormatSettings() {
    const SettingsStore& settings = AppSettings();
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
        ImageReadOptions::FromSettings(AppSettings(), Platform().ScreenDepth());
    options.atLeast = atLeast;
    if (!ReadImageFile(*this, docType_, path, options)) return false;
    SetInfoText(facts_.readWarning.empty() ? facts_.description
                                           : facts_.description + "  " + facts_.readWarning,
                false);
    if (!includeComment_) AddDefaultComment();
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
    if (type == docType_ && converted_ && !IsModified()) {
        saved = CopyImageFile(*this, conversionPath_, path);
    } else {
        if (type == kTypePng && !DocumentHost().ConfirmPngSaveOptions(*this)) return false;
        saved = SaveFile(path);
    }
    if (!saved) return false;
    if (converted_) {
        DeleteTemporaryFiles();
        converted_ = false;
    }
    newImage_ = false;
    SetPathName(path);
    SetInfoText(facts_.description, true);
    SetModifiedFlag(false);
    UpdateAllViews();
    return true;
}

bool CImageDoc::SaveModified() {
    if (!IsModified()) return true;
    std::string question = LoadString(StringId::AskToSave);
    question.replace(question.find("%s"), 2, UnmarkedTitle());
    switch (Platform().ShowMessage(question, MessageKind::Question, Buttons::YesNoCancel)) {
    case Answer::No:
        return true;
    case Answer::Yes:
        return PathName().empty() ? DocumentHost().SaveDocumentAs(*this)
                                  : OnSaveDocument(PathName());
    default:
        return false;
    }
}

void CImageDoc::OnCloseDocument() {
    DeleteTemporaryFiles();
    if (Template() && Template()->Documents().size() == 1) DocumentHost().LastDocumentClosed();
    CDocument::OnCloseDocument();
}

void CImageDoc::SetModifiedMark(bool on) {
    if (on && !IsModified()) {
        std::string title = Title();
        if (newImage_) {
            title += "(" + std::to_string(DocumentHost().NextNewImageNumber()) + ")";
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
    const SettingsStore& settings = AppSettings();
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
        if (!Template()) return false;
        const auto& documents = Template()->Documents();
        return std::any_of(documents.begin(), documents.end(), [&](const auto& document) {
            return document.get() != this && document->SyncId() == id;
        });
    });
    Changed();
}
