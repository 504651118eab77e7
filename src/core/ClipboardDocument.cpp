#include "core/ClipboardDocument.h"

#include "base/FileExtension.h"
#include "base/StringTable.h"

#include <algorithm>

namespace {

// Bits per pixel of a palette of that many colours.
int PaletteDepth(size_t colors) {
    return colors <= 2 ? 1 : colors <= 16 ? 4 : 8;
}

// The pasted picture with the facts of a pasted image, as the document shows it from now on.
void ShowPastedImage(CImageDoc& document, std::unique_ptr<CDibImage> image) {
    document.ResetFormatState();
    document.AddDefaultComment();
    ImageFacts facts = document.Facts();
    if (image->ColorType() > 0 && image->HasPalette()) {
        facts.palette.assign(image->Palette().begin(), image->Palette().end());
        facts.bitsPerSample = PaletteDepth(facts.palette.size());
    }
    const std::string info = ClipboardInfoText(*image);
    document.ReplaceImage(std::move(image), std::move(facts));
    document.NewSyncId();
    document.SetInfoText(info, true);
}

} // namespace

CImageDoc* FindClipboardDocument(const CDocTemplate& documents) {
    const auto& open = documents.Documents();
    auto found = std::find_if(open.begin(), open.end(),
                              [](const auto& document) { return document->IsNewImage(); });
    return found == open.end() ? nullptr : found->get();
}

std::string ClipboardInfoText(const CDibImage& image) {
    std::string text =
        FormatImageSize(image.Width(), image.Height()) + LoadString(StringId::ClipboardImage);
    if (image.ColorType() > 0 && image.HasPalette())
        text += "(" + std::to_string(image.Palette().size()) + " colors)";
    return text;
}

CImageDoc* PasteIntoClipboardDocument(CDocTemplate& documents, std::unique_ptr<CDibImage> image) {
    if (!image || image->IsEmpty()) return nullptr;
    if (CImageDoc* document = FindClipboardDocument(documents)) {
        ShowPastedImage(*document, std::move(image));
        return document;
    }
    return documents.OpenFilledDocument([&image](CImageDoc& document) {
        document.SetDocType(kTypeClipboard);
        document.SetNewImage(true);
        document.SetTitle(LoadString(StringId::ClipboardTitle));
        ShowPastedImage(document, std::move(image));
        return true;
    });
}

bool FreezeClipboardDocument(CDocTemplate& documents, int& counter) {
    CImageDoc* document = FindClipboardDocument(documents);
    if (!document) return false;
    document->SetTitle(document->Title() + "(" + std::to_string(++counter) + ")");
    document->SetNewImage(false);
    return true;
}
