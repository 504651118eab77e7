#pragma once
// The context of documents that tests make on their own: the process's settings, no windows and
// nobody to ask, no other open documents.
#include "core/DocumentContext.h"
#include "settings/SettingsStore.h"

inline const DocumentContext& StandaloneContext() {
    static CHeadlessDocumentHost host;
    static const std::vector<std::unique_ptr<CImageDoc>> none;
    static const DocumentContext context{&AppSettings(), &host, &host, &none};
    return context;
}
