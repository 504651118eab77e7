#pragma once
// Files of the shared test corpora (CORPORA_DIR); none when the corpora are absent.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <vector>

// Every file under the corpora (or under one of `folders` in it, when given) whose extension,
// in lower case, is one of `extensions`; sorted.
inline std::vector<std::string> CorpusFiles(std::initializer_list<const char*> extensions,
                                            std::initializer_list<const char*> folders = {}) {
    namespace fs = std::filesystem;
    std::vector<std::string> roots;
    for (const char* folder : folders)
        roots.push_back(std::string(CORPORA_DIR) + "/" + folder);
    if (roots.empty()) roots.push_back(CORPORA_DIR);
    std::vector<std::string> files;
    for (const std::string& root : roots) {
        std::error_code ec;
        if (!fs::is_directory(root, ec)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(root, ec)) {
            if (!entry.is_regular_file()) continue;
            std::string extension = entry.path().extension().string();
            std::transform(extension.begin(), extension.end(), extension.begin(),
                           [](unsigned char c) { return std::tolower(c); });
            if (std::find_if(extensions.begin(), extensions.end(), [&](const char* wanted) {
                    return extension == wanted;
                }) != extensions.end())
                files.push_back(entry.path().string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// True on CI (the environment variable CI set), where the corpora must be present.
inline bool CorpusRequired() {
    const char* ci = std::getenv("CI");
    return ci && *ci;
}

// Ends a test that found no corpus file: skipped on a developer's machine, failed on CI.
#define SKIP_OR_FAIL_WITHOUT_CORPUS()                                                              \
    do {                                                                                           \
        if (CorpusRequired()) FAIL() << "no corpus at " << CORPORA_DIR << " (CI is set)";          \
        GTEST_SKIP() << "no corpus at " << CORPORA_DIR;                                            \
    } while (false)
