#include "ui/shell/SystemPath.h"

#include <QFile>
#include <QMimeData>
#include <QUrl>
#include <dirent.h>
#include <sys/stat.h>

namespace {

bool Exists(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

// The entry of the folder whose decoded name is `name`, when exactly one is; else the name's
// own encoding.
std::string EntryBytes(const std::string& folder, const QString& name) {
    const std::string encoded = QFile::encodeName(name).toStdString();
    if (!name.contains(QChar::ReplacementCharacter)) return encoded;
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return encoded;
    std::string found;
    int matches = 0;
    while (const dirent* entry = readdir(dir)) {
        if (QFile::decodeName(entry->d_name) != name) continue;
        found = entry->d_name;
        ++matches;
    }
    closedir(dir);
    return matches == 1 ? found : encoded;
}

} // namespace

std::string SystemPath(const QString& path) {
    const std::string encoded = QFile::encodeName(path).toStdString();
    if (!path.contains(QChar::ReplacementCharacter) || Exists(encoded)) return encoded;
    std::string resolved;
    const QStringList parts = path.split('/');
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0) resolved += '/';
        resolved += EntryBytes(resolved, parts[i]);
    }
    return resolved;
}

QString DisplayPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::vector<std::string> DroppedPaths(const QMimeData& data) {
    std::vector<std::string> paths;
    const QByteArray list = data.data("text/uri-list");
    if (list.isEmpty()) { // a drop that carries URLs only as Qt objects
        for (const QUrl& url : data.urls())
            if (url.isLocalFile()) paths.push_back(SystemPath(url.toLocalFile()));
        return paths;
    }
    for (QByteArray line : list.split('\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith('#')) continue; // comments are allowed
        const QUrl url = QUrl::fromEncoded(line);
        if (!url.isLocalFile()) continue;
        // The path part as sent, "file://host/path" or "file:/path", decoded byte for byte.
        const qsizetype start = line.indexOf('/', line.startsWith("file://") ? 7 : 5);
        if (start < 0) continue;
        paths.push_back(QByteArray::fromPercentEncoding(line.mid(start)).toStdString());
    }
    return paths;
}
