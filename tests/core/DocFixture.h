#pragma once
// Shared set-up of the document tests: the settings are restored after each test, documents
// report to a recording host, messages are cleared, and pictures are made from RGB values.
#include "base/HeadlessPlatform.h"
#include "core/DocTemplate.h"
#include "core/ImageDoc.h"
#include "core/ImageReadOptions.h"
#include "settings/SettingsStore.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class RecordingHost : public IDocumentEvents, public IDocumentPrompts {
public:
    void AddToRecentFiles(const std::string& path) override { recent.push_back(path); }
    void DocumentCreated(CImageDoc& document) override { created.push_back(&document); }
    void ActivateDocument(CDocument& document) override { activated.push_back(&document); }
    void DocumentClosing(CImageDoc& document) override { closing.push_back(&document); }
    int NextNewImageNumber() override { return ++newImages; }
    void LastDocumentClosed() override { ++lastClosed; }
    void CommitControlBar(SettingsStore& settings) override {
        ++commits;
        settings.param1 = committedQuality;
    }
    bool ConfirmPngSaveOptions(CImageDoc&) override {
        ++pngQuestions;
        return confirmPng;
    }

    std::vector<std::string> recent;
    std::vector<CImageDoc*> created, closing;
    std::vector<CDocument*> activated;
    int newImages = 0, lastClosed = 0, commits = 0, pngQuestions = 0;
    int committedQuality = 75;
    bool confirmPng = true;
};

// A template of the process's settings whose documents report to host.
class HostedDocuments : public CDocTemplate {
public:
    explicit HostedDocuments(RecordingHost& host) : CDocTemplate(AppSettings()) {
        SetHost(&host, &host);
    }
};

class DocTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = AppSettings();
        Headless().ClearMessages();
    }
    void TearDown() override {
        AppSettings() = saved_;
        Headless().ClearMessages();
        Headless().SetAnswer(Answer::Yes);
    }
    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const auto& message : Headless().Messages())
            texts.push_back(message.text);
        return texts;
    }

    RecordingHost host;
    // For documents made on their own: the process's settings, the recording host, no others.
    const std::vector<std::unique_ptr<CImageDoc>> noDocuments;
    const DocumentContext context{&AppSettings(), &host, &host, &noDocuments};
    TempDir dir;

private:
    SettingsStore saved_;
};

// The reader options of the settings and the headless screen.
inline ImageReadOptions TestReadOptions() {
    return ImageReadOptions::FromSettings(AppSettings(), Platform().ScreenDepth());
}

// Changes the document's facts as a reader or writer would have recorded them.
inline void SetFacts(CImageDoc& document, const std::function<void(ImageFacts&)>& change) {
    ImageFacts facts = document.Facts();
    change(facts);
    document.TakeWrittenFacts(std::move(facts));
}

// A realized 24-bit image; rgb holds width * height pixels, top row first, as 0xRRGGBB.
inline std::unique_ptr<CDibImage> MakeImage(int width, int height,
                                            const std::vector<uint32_t>& rgb) {
    auto image = std::make_unique<CDibImage>();
    const size_t stride = DibStride(static_cast<size_t>(width), 24);
    image->AllocateDib(40, stride * static_cast<size_t>(height));
    BitmapInfoHeader& header = *image->Header();
    header = BitmapInfoHeader{};
    header.biWidth = width;
    header.biHeight = height;
    header.biBitCount = 24;
    for (int y = 0; y < height; ++y) {
        uint8_t* row = image->Pixels() + static_cast<size_t>(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            uint32_t color = rgb[static_cast<size_t>(y * width + x)];
            row[x * 3] = static_cast<uint8_t>(color);
            row[x * 3 + 1] = static_cast<uint8_t>(color >> 8);
            row[x * 3 + 2] = static_cast<uint8_t>(color >> 16);
        }
    }
    image->Realize();
    image->FreeDib();
    return image;
}

// width * height distinct colours.
inline std::vector<uint32_t> Gradient(int width, int height) {
    std::vector<uint32_t> rgb;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            rgb.push_back(static_cast<uint32_t>(x * 0x0B0000 + y * 0x000D00 + (x ^ y) * 0x11 + 1) &
                          0xFFFFFFu);
    return rgb;
}

inline std::vector<uint32_t> PixelsOf(const CDibImage& image) {
    std::vector<uint32_t> rgb;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            rgb.push_back(image.PixelColor(x, y));
    return rgb;
}
