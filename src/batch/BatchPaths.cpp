#include "batch/BatchPaths.h"

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

std::string EnsureTrailingSlash(const std::string& path) {
    if (path.empty() || path.back() == '/') return path;
    return path + "/";
}

bool NormaliseRoot(const std::string& path, std::string& root) {
    if (path.empty()) return false;
    char resolved[PATH_MAX];
    struct stat info {};
    if (!realpath(path.c_str(), resolved) || stat(resolved, &info) != 0 || !S_ISDIR(info.st_mode) ||
        access(resolved, R_OK | X_OK) != 0)
        return false;
    root = EnsureTrailingSlash(resolved);
    root.pop_back();
    return true;
}

bool PlannedRoot(const std::string& path, std::string& root) {
    if (path.empty()) return false;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error) return false;
    root = EnsureTrailingSlash(absolute.lexically_normal().string());
    root.pop_back();
    return true;
}

std::string LogFolder(const std::string& logPath) {
    char resolved[PATH_MAX];
    if (!realpath(logPath.c_str(), resolved)) return "";
    return std::filesystem::path(resolved).parent_path().string();
}

std::string RelativeRoot(const std::string& directory, const std::string& from) {
    if (from.empty()) return ".";
    const std::string relative =
        std::filesystem::path(directory).lexically_relative(from).generic_string();
    if (relative.empty() || relative == ".") return ".";
    const bool above = relative == ".." || relative.rfind("../", 0) == 0;
    return above ? relative : "./" + relative;
}

std::string BrowseStartFolder(const std::string& text) {
    std::string folder = EnsureTrailingSlash(text);
    if (folder.size() > 1) folder.pop_back();
    return folder;
}

std::string LogPathInFolder(const std::string& folder, const std::string& logPath) {
    const size_t slash = logPath.rfind('/');
    const std::string name = slash == std::string::npos ? logPath : logPath.substr(slash + 1);
    return EnsureTrailingSlash(folder) + name;
}

std::string HomeDirectory() {
    const char* home = std::getenv("HOME");
    if (home && *home) return home;
    const passwd* user = getpwuid(getuid());
    return user && user->pw_dir && *user->pw_dir ? user->pw_dir : "/";
}
