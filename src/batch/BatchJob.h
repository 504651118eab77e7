#pragma once
// One run of a batch command over a source directory tree. A counting pass finds how many
// files there are; the processing walk then hands every selected file to the command's task:
// in each directory its files first, then its subdirectories, each group in CompareNames
// order, depth first. The tree is mirrored under the destination root, whose directories are
// created only when something is written into them or below them. Five path slots describe
// the file at hand; the relative ones ("./sub/a.jpg") become the links of the HTML log.
#include "batch/BatchProgress.h"
#include "batch/HtmlLog.h"

#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

class CBatchJob;

// What one kind of batch command (conversion, filtering) does with the walk.
class IBatchTask {
public:
    virtual ~IBatchTask() = default;
    // The tag of the task's failure reports ("BulkCnv").
    virtual std::string ReportName() const = 0;
    // Copies the settings the walk needs into the job: the roots as entered, recursion and
    // the extension selection.
    virtual void Configure(CBatchJob& job) = 0;
    // The processing stage, after a counting pass that found files: checks the roots, opens
    // the log, walks and closes the log. False when it could not start (reported).
    virtual bool Run(CBatchJob& job) = 0;
    // The output file name of a source file name.
    virtual std::string OutputName(const std::string& name) const = 0;
    // Handles the file the job's path slots hold; failures go to the log. Calls
    // EnsureDestinationDirectory before writing, and returns false only when that failed,
    // which ends the files of the directory.
    virtual bool ProcessFile(CBatchJob& job) = 0;
    // The final report: "%d 個のファイルを処理しました" with the count.
    virtual std::string Summary(const CBatchJob& job) const;
};

class CBatchJob {
public:
    explicit CBatchJob(IBatchTask& task) : task_(task) {}
    CBatchJob(const CBatchJob&) = delete;
    CBatchJob& operator=(const CBatchJob&) = delete;

    // Settings of the walk, set by the task's Configure.
    std::string sourceDirectory;      // as entered; relative texts resolve against the
    std::string destinationDirectory; // current directory, which the walk never changes
    bool recurse = false;
    bool extensionFilter = false;
    std::string extensionList; // ".jpg;.jfif;.jpeg"
    long long bytesSaved = 0;  // the filter's running sum of source minus output sizes

    void SetProgress(IBatchProgress* progress);
    IBatchProgress& Progress() { return *progress_; }

    // Whether a file name (not a directory) goes to processing.
    bool IsSelected(const std::string& name) const;

    // Counting pass over a directory (and its subdirectories when recursing): adds the
    // selected files to the count and sets total to it. Returns the number found below this
    // directory, or -1 when it cannot be read.
    int CountFiles(const std::string& directory);

    // Start of the processing stage: count and cancel flag reset, the roots normalised into
    // the path slots. False after reporting (the task's name, the root text, message 359 or
    // 350) when a root is not a directory.
    bool BeginProcessing();
    // Opens the HTML log; false after reporting message 362.
    bool OpenLog(const std::string& path);
    CHtmlLog& Log() { return log_; }
    // Writes an error line into the log and tells the progress about it.
    void LogError(const char* format, const std::string& argument);
    // Error lines so far.
    int Failures() const { return failures_; }

    // Walks the directory the path slots hold. False when the run was cancelled or the
    // directory could not be read.
    bool ProcessDirectory();
    // Creates the destination directory of the current level unless it exists; false after
    // logging "[Can't MKDIR of ...]".
    bool EnsureDestinationDirectory();
    // Whether writing the output would replace another file of the source directory that this
    // run selected (source and destination being the same directory). Such a file is one of
    // the user's originals, so it is never written over.
    bool OutputReplacesAnotherSource() const;
    // Whether the output would be written over the very file being handled (the same file on
    // disk), as when source and destination are one directory and the name stays.
    bool OutputIsItsSource() const;

    // Files found by the counting pass; files found, or handed to processing, so far.
    int Total() const { return total_; }
    int Count() const { return count_; }
    void ResetCount() { count_ = 0; }
    // Set when the progress says stop; every loop of the walk ends at its next test.
    bool Cancelled() const { return cancelled_; }
    void ResetCancel() { cancelled_ = false; }

    // The five path slots of the file at hand.
    const std::string& SourcePath() const { return source_; }           // absolute
    const std::string& LinkPath() const { return link_; }               // "./sub/a.JPEG"
    const std::string& ImagePath() const { return image_; }             // "./sub/a.jpg"
    const std::string& DestinationPath() const { return destination_; } // absolute
    const std::string& OutputName() const { return outputName_; }       // "a.jpg"
    const std::string& CurrentName() const { return currentName_; }     // "a.JPEG"

private:
    using DirectoryId = std::pair<dev_t, ino_t>;
    // What the walk keeps per directory level.
    struct Level {
        size_t sourceEnd = 0, linkEnd = 0, imageEnd = 0, destinationEnd = 0;
        bool needsDestination = false;
    };
    struct Listing {
        DirectoryId self{};
        std::vector<std::string> files;       // selected files, in walk order
        std::vector<std::string> directories; // subdirectories to descend into, in walk order
    };

    // Lets the progress handle an event; sets the cancel flag when it says stop.
    bool KeepGoing();
    // Reads a directory: selected files and the subdirectories that may be entered (not one
    // being walked already, not the destination root), with an event handled per entry.
    bool ReadDirectory(const std::string& directory, Listing& listing);
    // Remembers the destination root, which the walk never enters as a source directory.
    void NoteDestinationRoot(const std::string& path);
    bool MakeDestinationDirectory();
    // The two halves of a directory's walk: its files, then its subdirectories.
    void ProcessFiles(std::vector<std::string>& files);
    void ProcessSubdirectories(std::vector<std::string>& directories);
    // Puts the names of a file or subdirectory into the slots at the level's positions.
    void PlaceNames(const std::string& sourceName, const std::string& outputName);
    void CutSlots();
    void ShowCounter();

    IBatchTask& task_;
    CSilentProgress silent_;
    IBatchProgress* progress_ = &silent_;
    CHtmlLog log_;
    int total_ = 0;
    int count_ = 0;
    int failures_ = 0;
    bool cancelled_ = false;
    std::string source_, link_, image_, destination_, outputName_, currentName_;
    Level level_;
    const std::vector<std::string>* levelFiles_ = nullptr; // the files of the directory at hand
    std::vector<DirectoryId> walking_; // the directories entered and not yet left
    bool hasDestinationRoot_ = false;
    DirectoryId destinationRoot_{};
};

// Points the walk at a batch section's folders and file selection (the "bulkconv" and
// "bulkfilter" records share these keys).
template <typename Section> void ConfigureWalk(CBatchJob& job, const Section& section) {
    job.sourceDirectory = section.srcDirectory;
    job.destinationDirectory = section.dstDirectory;
    job.recurse = section.recurseDir != 0;
    job.extensionFilter = section.extFilter != 0;
    job.extensionList = section.strExtFilter;
}
