#include "core/DocumentHost.h"

namespace {

// No windows (the window events are ignored), no control bar: the settings stand as they are and
// every save is confirmed.
class HeadlessDocumentHost : public IDocumentHost {
public:
    void AddToRecentFiles(const std::string&) override {}
    void DocumentCreated(CImageDoc&) override {}
    void ActivateDocument(CDocument&) override {}
    void DocumentClosing(CImageDoc&) override {}
    int NextNewImageNumber() override { return ++newImageCount_; }
    void LastDocumentClosed() override {}
    void CommitControlBar(SettingsStore&) override {}
    bool ConfirmPngSaveOptions(CImageDoc&) override { return true; }

private:
    int newImageCount_ = 0;
};

HeadlessDocumentHost headless;
IDocumentHost* installed = nullptr;

} // namespace

IDocumentHost& DocumentHost() {
    return installed ? *installed : headless;
}

void InstallDocumentHost(IDocumentHost* host) {
    installed = host;
}
