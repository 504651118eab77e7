#include "cli/CliStdio.h"

#include "base/FileExtension.h"
#include "base/FileSignature.h"
#include "base/TempFile.h"
#include "cli/CliCommand.h"
#include "cli/CliReports.h"
#include "settings/SettingsStore.h"

#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr const char* kStdio = "-";

bool CopyStream(std::FILE* from, std::FILE* to) {
    char chunk[65536];
    size_t count = 0;
    while ((count = std::fread(chunk, 1, sizeof chunk, from)) > 0)
        if (std::fwrite(chunk, 1, count, to) != count) return false;
    return !std::ferror(from);
}

// A new temporary file with the extension; false after a report.
bool MakeTempFile(const std::string& command, const std::string& extension, std::string& path) {
    if (CreateTempFile(TempDirectory(AppSettings()), "tlmn", extension, path)) return true;
    ReportCliFailure(kStdio, command + ":" + LoadString(StringId::NoTempFile), errno);
    return false;
}

// Standard input into a new temporary file named by its first bytes; false after a report.
bool SpoolStdin(const std::string& command, std::string& path) {
    std::string head(kSignatureBytes, '\0');
    head.resize(std::fread(head.data(), 1, head.size(), stdin));
    if (!MakeTempFile(command,
                      ExtensionOfType(TypeFromSignature(
                          reinterpret_cast<const uint8_t*>(head.data()), head.size())),
                      path))
        return false;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    bool copied = file && std::fwrite(head.data(), 1, head.size(), file) == head.size() &&
                  CopyStream(stdin, file);
    if (file && std::fclose(file) != 0) copied = false;
    if (!copied) ReportCliFailure(kStdio, command + ":Cannot read", errno);
    return copied;
}

} // namespace

CStdioFiles::~CStdioFiles() {
    RemoveFile(input_);
    RemoveFile(output_);
}

void CStdioFiles::RemoveFile(std::string& path) {
    if (!path.empty()) std::remove(path.c_str());
    path.clear();
}

int CStdioFiles::Bind(const std::string& command, std::string& in, std::string* out,
                      const std::string& outExtension) {
    if (in == kStdio) {
        if (int status = BindInput(command, in); status != kExitOk) return status;
    }
    if (!out || *out != kStdio) return kExitOk;
    std::string extension = outExtension.empty() ? ExtensionOf(in) : outExtension;
    // IN without an extension: the last "." found may be a folder's.
    if (extension.find('/') != std::string::npos) extension.clear();
    return BindOutput(command, *out, extension);
}

int CStdioFiles::BindInput(const std::string& command, std::string& in) {
    if (isatty(STDIN_FILENO))
        return UsageError(command + ": IN '-' reads standard input, which is a terminal");
    if (!SpoolStdin(command, input_)) return kExitFailed;
    CliReports().ShowPathAs(input_, kStdio);
    in = input_;
    return kExitOk;
}

int CStdioFiles::BindOutput(const std::string& command, std::string& out,
                            const std::string& extension) {
    if (isatty(STDOUT_FILENO))
        return UsageError(command + ": OUT '-' would write binary data to a terminal");
    if (!MakeTempFile(command, extension, output_)) return kExitFailed;
    CliReports().ShowPathAs(output_, kStdio);
    out = output_;
    writesStdout_ = true;
    return kExitOk;
}

bool CStdioFiles::Finish(const std::string& command) {
    if (!writesStdout_) return true;
    // The files go before the copy, which a closed pipe may end with the process.
    RemoveFile(input_);
    std::FILE* file = std::fopen(output_.c_str(), "rb");
    RemoveFile(output_);
    const bool copied = file && CopyStream(file, stdout) && std::fflush(stdout) == 0;
    if (file) std::fclose(file);
    if (!copied) ReportCliFailure(kStdio, command + ":Cannot write", errno);
    return copied;
}
