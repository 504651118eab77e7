#pragma once
// One run of a batch command over a source directory tree. A counting pass finds how many
// files there are; the processing walk then hands every selected file to the command's task:
// in each directory its files first, then its subdirectories, each group in CompareNames
// order, depth first. The tree is mirrored under the destination root, whose directories are
// created only when something is written into them or below them. Five path slots describe
// the file at hand; the relative ones ("./sub/a.jpg") become the links of the HTML log.
#include "batch/BatchFile.h"
#include "batch/BatchProgress.h"
#include "batch/HtmlLog.h"

#include <map>
#include <memory>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

class CBatchJob;
class CBatchRunner;

// Processes the files of a run, one at a time; a run on several threads has one per thread.
class IBatchWorker {
public:
    virtual ~IBatchWorker() = default;
    // Handles one file; failures and log entries are left with the file for the job. Calls
    // EnsureDestinationDirectory before writing, and returns false only when that failed,
    // which ends the files of the directory.
    virtual bool ProcessFile(CBatchFile& file) = 0;
};

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
    // the log, walks (ProcessTree) and closes the log. False when it could not start (reported).
    virtual bool Run(CBatchJob& job) = 0;
    // The output file name of a source file name.
    virtual std::string OutputName(const std::string& name) const = 0;
    // The worker of the given number (0 up to the job's workers - 1) for this run; called by
    // ProcessTree on the job's thread.
    virtual std::unique_ptr<IBatchWorker> NewWorker(int index) = 0;
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
    int workers = 1;           // files processed at once, each on a thread of its own when > 1
    // A run that only plans (lists what would be written): no destination folder is made, and
    // a destination root that does not exist yet is taken as it would be made.
    bool planOnly = false;

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
    // Opens the HTML log, after BeginProcessing; false after reporting message 362. Its links
    // are made relative to the log's folder ("../photos/a.jpg"), so that they resolve there.
    bool OpenLog(const std::string& path);
    CHtmlLog& Log() { return log_; }
    const CHtmlLog& Log() const { return log_; }
    // Writes an error line of a folder (kLogCantChdir, kLogCantMkdir) into the log and tells
    // the progress about it, with the system's error number of the failure.
    void LogFolderError(const char* format, const std::string& argument, int error);
    // The same for a file handed to processing; firstOfFile when the file had failed in no other
    // way before, so that it counts once.
    void LogFileError(const char* format, const std::string& argument, bool firstOfFile, int error);
    // A report made while a file was processed: a red line of the log naming the file, and the
    // progress's, instead of a message box in the middle of the run.
    void LogReport(const BatchReport& report, bool firstOfFile);
    // A source skipped because another source of its directory writes its output (kept):
    // handled and failed; the first of them per output logs and reports the collision, with the
    // number of sources skipped for it.
    void SkipSameOutput(const std::string& output, const std::string& kept, int skipped,
                        bool firstOfOutput);
    const CBatchFailures& Failures() const { return failures_; }

    // Walks the tree from the roots BeginProcessing placed, handing every selected file to the
    // task's workers, and returns when all are done. False when the run was cancelled or the
    // source root could not be read.
    bool ProcessTree();
    // A file is handled: the bar advances, the count and its counter line go up.
    void CountFile();
    // Lets the progress handle an event; sets the cancel flag when it says stop.
    bool KeepGoing();

    // Files found by the counting pass; files found, or handed to processing, so far.
    int Total() const { return total_; }
    int Count() const { return count_; }
    void ResetCount() { count_ = 0; }
    // Set when the progress says stop; every loop of the walk ends at its next test.
    bool Cancelled() const { return cancelled_; }
    void ResetCancel() { cancelled_ = false; }

private:
    using DirectoryId = std::pair<dev_t, ino_t>;
    // What the walk keeps per directory level.
    struct Level {
        size_t sourceEnd = 0, linkEnd = 0, imageEnd = 0, destinationEnd = 0;
        std::shared_ptr<CDestinationFolder> folder;
    };
    struct Listing {
        DirectoryId self{};
        std::vector<std::string> files;       // selected files, in walk order
        std::vector<std::string> directories; // subdirectories to descend into, in walk order
    };

    // Reads a directory: selected files and the subdirectories that may be entered (not one
    // being walked already, not the destination root), with an event handled per entry.
    bool ReadDirectory(const std::string& directory, Listing& listing);
    // Remembers the destination root, which the walk never enters as a source directory.
    void NoteDestinationRoot(const std::string& path);
    // Walks the directory the path slots hold. False when the run was cancelled or the
    // directory could not be read.
    bool ProcessDirectory();
    // New outputs are written without a sync each: the destination's file system is synced
    // once when the walk is done.
    void SyncDestination() const;
    // The file the path slots hold, as handed to processing.
    std::unique_ptr<CBatchFile> CurrentFile(const std::string& name,
                                            const std::vector<std::string>& levelFiles) const;
    // Whether the output of the file in the slots would replace another selected file of the
    // source directory (source and destination being the same directory).
    bool OutputReplacesAnotherSource(const std::vector<std::string>& levelFiles) const;
    // Per output name of a directory's files, the source that writes it and how many others have
    // it too: the source already named so, else the first in walk order.
    struct OutputWriter {
        std::string source;
        int skipped = 0;
    };
    std::map<std::string, OutputWriter> ChooseWriters(const std::vector<std::string>& files) const;
    // The two halves of a directory's walk: its files, then its subdirectories.
    void ProcessFiles(std::vector<std::string>& files);
    void ProcessSubdirectories(std::vector<std::string>& directories);
    // Puts the names of a file or subdirectory into the slots at the level's positions.
    void PlaceNames(const std::string& sourceName, const std::string& outputName);
    void CutSlots();
    void ShowCounter();
    // Writes a red line into the log; returns its text.
    std::string WriteErrorLine(const char* format, const std::string& argument);
    // An error line's failure as a report of the task naming the argument.
    BatchReport ErrorLineReport(const char* format, const std::string& argument, int error) const;
    // The failures so far, into the progress.
    void ShowFailures();

    IBatchTask& task_;
    CSilentProgress silent_;
    IBatchProgress* progress_ = &silent_;
    CHtmlLog log_;
    int total_ = 0;
    int count_ = 0;
    CBatchFailures failures_;
    bool cancelled_ = false;
    std::string source_, link_, image_, destination_, outputName_, currentName_;
    Level level_;
    CBatchRunner* runner_ = nullptr;   // while ProcessTree runs
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
