#pragma once
// One selected file of a batch walk as handed to processing: its path slots, the destination
// folder it shares with the other files of its directory, and what its processing has to show
// (log lines, reports, sums), which the job plays back in walk order. A file processed on a
// worker thread thus leaves the log, the counts and the messages exactly as it would have left
// them processed in turn.
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

class CBatchJob;

// The destination folder of one directory level, made when the first file or subdirectory
// needs it. Shared by the level's files, which may be processed on several threads.
class CDestinationFolder {
public:
    CDestinationFolder(std::string path, bool exists) : path_(std::move(path)), needed_(!exists) {}
    const std::string& Path() const { return path_; }
    // For a file: makes the folder unless it exists. A folder that could not be made for an
    // earlier file is not tried again: the files of its directory end there. errno tells why
    // after a failure.
    bool EnsureForFile();
    // For the walk, before it descends into a subdirectory: tries again after a failure.
    bool EnsureForSubdirectory();

    // Set on the job's thread when a file's playback ended the files of the directory; the
    // files after it are then dropped unseen, as if never handed to processing.
    bool filesEnded = false;

private:
    bool Make();

    const std::string path_;
    std::mutex mutex_;
    bool needed_;
    bool failed_ = false;
    int error_ = 0;
};

class CBatchFile {
public:
    // What processing leaves for the job's thread: a log line, a report, a sum.
    using Action = std::function<void(CBatchJob&)>;

    struct Paths {
        std::string source;      // absolute
        std::string link;        // "./sub/a.JPEG"
        std::string image;       // "./sub/a.jpg"
        std::string destination; // absolute
        std::string outputName;  // "a.jpg"
        std::string currentName; // "a.JPEG"
    };

    CBatchFile(Paths paths, std::shared_ptr<CDestinationFolder> folder, bool replacesAnotherSource)
        : paths_(std::move(paths)), folder_(std::move(folder)),
          replacesAnotherSource_(replacesAnotherSource) {}

    const std::string& SourcePath() const { return paths_.source; }
    const std::string& LinkPath() const { return paths_.link; }
    const std::string& ImagePath() const { return paths_.image; }
    const std::string& DestinationPath() const { return paths_.destination; }
    const std::string& OutputName() const { return paths_.outputName; }
    const std::string& CurrentName() const { return paths_.currentName; }
    CDestinationFolder& Folder() const { return *folder_; }

    // Whether writing the output would replace another file of the source directory that this
    // run selected (source and destination being the same directory). Such a file is one of
    // the user's originals, so it is never written over.
    bool OutputReplacesAnotherSource() const { return replacesAnotherSource_; }
    // Whether the output would be written over the very file being handled (the same file on
    // disk), as when source and destination are one directory and the name stays.
    bool OutputIsItsSource() const;
    // Makes the destination folder before the first output goes into it; false (with the
    // "[Can't MKDIR of ...]" line left for the log) when it cannot be made.
    bool EnsureDestinationDirectory();

    // An error line for the log (one of the kLog... formats), with the system's error number of
    // the moment.
    void LogError(const char* format, const std::string& argument);
    // A failure report made while the file is processed ("name:message", its path on the next
    // line, maybe empty) and the system's error number of that moment: it goes to the run,
    // naming this file when it names none.
    void Report(const std::string& text, int error);
    // Leaves an action for the job's thread; run at once when the file is processed there.
    void Later(Action action);

    // Processing on the job's own thread: actions run as they come.
    void RunActionsOn(CBatchJob& job) { immediate_ = &job; }
    // Playback of what a worker thread left, in the order it was left.
    void PlayBack(CBatchJob& job);

private:
    // Whether this is the file's first failure; it counts once however many steps report.
    bool FirstFailure() { return !std::exchange(failed_, true); }

    Paths paths_;
    std::shared_ptr<CDestinationFolder> folder_;
    bool replacesAnotherSource_;
    CBatchJob* immediate_ = nullptr;
    bool failed_ = false;
    std::vector<Action> actions_;
};
