#include "base/HeadlessPlatform.h"

#include <cstdio>
#include <cstdlib>

Answer HeadlessPlatform::ShowMessage(const std::string& text, MessageKind kind, Buttons buttons) {
    {
        std::lock_guard lock(mutex_);
        messages_.push_back({text, kind});
        if (echo_) std::fprintf(stderr, "%s\n", text.c_str());
    }
    if (buttons == Buttons::Ok) return Answer::Ok;
    if (buttons == Buttons::OkCancel) return answer_ == Answer::Yes ? Answer::Ok : answer_;
    return answer_;
}

std::string HeadlessPlatform::TempDirectory() const {
    const char* dir = std::getenv("TMPDIR");
    std::string path = (dir && *dir) ? dir : "/tmp";
    if (path.back() != '/') path += '/';
    return path;
}

HeadlessPlatform& Headless() {
    static HeadlessPlatform instance;
    return instance;
}

namespace {
IPlatform* installed = nullptr;
}

IPlatform& Platform() {
    return installed ? *installed : Headless();
}

void InstallPlatform(IPlatform* platform) {
    installed = platform;
}
