#pragma once
// "-" as IN reads standard input and as OUT writes standard output, as binary data (a file named
// "-" is reached as "./-"). The command works on temporary files in their place: standard input
// is copied into one named by the type its first bytes show, and OUT's is copied to standard
// output when the command is done. Reports name them "-". The files go with the object.
#include <string>

class CStdioFiles {
public:
    CStdioFiles() = default;
    CStdioFiles(const CStdioFiles&) = delete;
    CStdioFiles& operator=(const CStdioFiles&) = delete;
    ~CStdioFiles();

    // Replaces an IN of "-" and, when out is given, an OUT of "-" by their temporary files; OUT's
    // takes outExtension, or IN's extension when it is empty. Returns kExitOk, kExitUsage (after
    // a message) when the stream is a terminal, or kExitFailed after a report.
    int Bind(const std::string& command, std::string& in, std::string* out,
             const std::string& outExtension = "");
    // Whether OUT is standard output, which then carries nothing else.
    bool WritesStdout() const { return writesStdout_; }
    // Copies OUT's temporary file to standard output; false after a report.
    bool Finish(const std::string& command);

private:
    int BindInput(const std::string& command, std::string& in);
    int BindOutput(const std::string& command, std::string& out, const std::string& extension);
    static void RemoveFile(std::string& path);

    std::string input_, output_;
    bool writesStdout_ = false;
};
