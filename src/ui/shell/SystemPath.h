#pragma once
// File names between Qt and the system. The system's names are bytes that need not be valid
// UTF-8 (a Shift_JIS name, a stray byte); Qt holds text and cannot keep such bytes. Paths go to
// the readers and writers as the system's bytes and are decoded for display only.
#include <QString>
#include <string>
#include <vector>

class QMimeData;

// The system's bytes of a path that Qt gives as text (a dialog's choice, a typed name). A name
// that decodes only with replacement characters is looked up among the entries of its folder,
// so that the bytes of the one file shown under that name come back.
std::string SystemPath(const QString& path);
// A path decoded for display, and for the Qt calls that take one as text.
QString DisplayPath(const std::string& path);
// The local files of a drop, in order, from its URI list as sent, percent-decoded into bytes
// without decoding them as text.
std::vector<std::string> DroppedPaths(const QMimeData& data);
