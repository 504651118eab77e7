#pragma once
// What a batch run tells about its failures: the reports made while a file was processed, each
// naming the file, and the tally the progress window and the summary give (how many of the
// processed files failed, the folders that could not be read or made, the first failures when
// no complete log holds them).
#include <string>
#include <vector>

// A failure report made while a file was processed: "name:message" and, on the last line, the
// path it names, the file's own when the report named none; with the system's error number of
// that moment.
struct BatchReport {
    std::string text;
    int error = 0;

    // The report of a file: text as made, its empty path line filled with the file's path.
    static BatchReport OfFile(const std::string& text, int error, const std::string& filePath);
    // One line: "PATH: name:message".
    std::string Line() const;
};

class CBatchFailures {
public:
    // A failure line of a file handed to processing; firstOfFile when the file had none before.
    void AddFile(const std::string& line, bool firstOfFile);
    // A folder that could not be read or made.
    void AddFolder(const std::string& line);

    int Files() const { return files_; }
    // Failed files and folders.
    int Count() const { return files_ + folders_; }

    // "うち 2 個は失敗しました" (and the folders), with "(ログ: PATH)" when a log is given; empty
    // without failures.
    std::string Headline(const std::string& logPath) const;
    // The summary's lines after the count: the headline; a log that could not be written (its
    // error number); and, unless a complete log holds them, the first failures, one a line.
    std::string SummaryText(const std::string& logPath, int logError) const;

private:
    void Keep(const std::string& line);

    int files_ = 0;
    int folders_ = 0;
    std::vector<std::string> first_; // the first line of each of the first failures
};
