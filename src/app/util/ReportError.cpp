#include "app/util/ReportError.h"

#include "app/util/StringTable.h"
#include "platform/Platform.h"

std::string FormatErrorReport(const std::string& name, const std::string& path,
                              const std::string& message) {
    return name + ":" + message + "\n" + path;
}

void ReportError(const std::string& name, const std::string& path, const std::string& message) {
    Platform().ShowMessage(FormatErrorReport(name, path, message), MessageKind::Error, Buttons::Ok);
}

void ReportErrorId(const std::string& name, const std::string& path, int id) {
    ReportError(name, path, LoadString(id));
}
