#pragma once
// Failure reports the user must see: "name:message" and the path on the next line, shown with
// the stop icon through the platform.
#include <string>

void ReportError(const std::string& name, const std::string& path, const std::string& message);
// As ReportError, with the message taken from the string table.
void ReportErrorId(const std::string& name, const std::string& path, int id);
// The text ReportError shows.
std::string FormatErrorReport(const std::string& name, const std::string& path,
                              const std::string& message);
