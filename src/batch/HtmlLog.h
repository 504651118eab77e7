#pragma once
// The HTML log of a batch run: a small page listing every converted or filtered file with a
// link and its sizes, and every failure as a red line. Names and paths are written as they
// are, except that "&", "<", ">" and '"' become character references, so that no file name can
// add markup to the page.
#include "base/FileHandle.h"

#include <cstdint>
#include <cstdio>
#include <string>

// Messages of the error lines; each takes one path for its "%s".
constexpr const char* kLogCantChdir = "[Can't CHDIR to : %s]";
constexpr const char* kLogCantMkdir = "[Can't MKDIR of %s]\n";
constexpr const char* kLogCantOpenFile = "[Can't open file : %s]";
constexpr const char* kLogCantResize = "[Can't resize image : %s]";
constexpr const char* kLogCantSave = "[Can't Save to %s]";
constexpr const char* kLogSameOutput = "[Same output name : %s]";

// The message of an error line as text: the format's "%s" replaced by the argument, without the
// line break that ends the MKDIR message.
std::string ErrorLineText(const char* format, const std::string& argument);
// What failed, for a report of an error line's kind: "Cannot open", "Cannot write", ...
std::string ErrorLineMessage(const char* format);

// One converted file. Links are relative to the log's folder ("./sub/a.jpg").
struct ConversionLogEntry {
    std::string linkPath;   // the source file
    std::string imagePath;  // the output file
    std::string outputName; // the output file's name alone
    std::string sourcePath; // the absolute source path
    int sourceWidth = 0, sourceHeight = 0;
    uint32_t sourceSize = 0;
    int outputWidth = 0, outputHeight = 0;
    uint32_t outputSize = 0;
    bool altIsOriginalSize = false; // the image's alt text gives the source size
};

// One filtered file.
struct FilterLogEntry {
    std::string imagePath;       // the output file, relative to the log's folder
    std::string destinationPath; // the absolute output path
    int width = 0, height = 0;
    uint32_t sourceSize = 0;
    uint32_t outputSize = 0;
};

class CHtmlLog {
public:
    CHtmlLog() = default;
    ~CHtmlLog() { Close(); }
    CHtmlLog(const CHtmlLog&) = delete;
    CHtmlLog& operator=(const CHtmlLog&) = delete;

    // Creates (or truncates) the log file and writes the page head; false when the file cannot
    // be created (the job reports message 362 and does not run).
    bool Open(const std::string& path);
    bool IsOpen() const { return static_cast<bool>(file_); }
    // Writes the page tail and closes the file. Also done on destruction, so a job that ends
    // early still leaves a complete page.
    void Close();
    // The file opened last ("" when none was), and the system's error number of its first write
    // (or close) that failed, 0 while every one succeeded: a full disk loses the page.
    const std::string& Path() const { return path_; }
    int WriteError() const { return writeError_; }

    // The calls below write nothing when the log is not open; a write error is kept.
    // A red line: format (one of the kLog... messages) with its "%s" replaced by argument.
    void WriteErrorLine(const char* format, const std::string& argument);
    void WriteConversionEntry(const ConversionLogEntry& entry);
    void WriteFilterEntry(const FilterLogEntry& entry);

private:
    void Write(const std::string& text);
    void NoteWriteError();

    FileHandle file_;
    std::string path_;
    int writeError_ = 0;
};
