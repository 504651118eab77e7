#include "batch/BatchJob.h"

#include "base/FileExtension.h"
#include "base/ReportError.h"
#include "base/StringTable.h"
#include "batch/BatchPaths.h"
#include "batch/BatchRunner.h"
#include "batch/NameOrder.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The root directory is held as "" in the slots.
std::string DirectoryText(const std::string& slot) {
    return slot.empty() ? "/" : slot;
}

bool IsDirectory(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

using DirHandle = std::unique_ptr<DIR, int (*)(DIR*)>;

} // namespace

std::string IBatchTask::Summary(const CBatchJob& job) const {
    char text[256];
    std::snprintf(text, sizeof text, LoadString(StringId::FilesProcessed).c_str(), job.Count());
    return text;
}

void CBatchJob::SetProgress(IBatchProgress* progress) {
    progress_ = progress ? progress : &silent_;
}

bool CBatchJob::IsSelected(const std::string& name) const {
    if (!extensionFilter) return true;
    auto dot = FindExtension(name);
    return dot && MatchExtensionList(extensionList, name.substr(*dot)).has_value();
}

bool CBatchJob::KeepGoing() {
    if (!cancelled_ && !progress_->KeepGoing()) cancelled_ = true;
    return !cancelled_;
}

void CBatchJob::ShowCounter() {
    progress_->SetCounter(std::to_string(count_) + " / " + std::to_string(total_));
}

bool CBatchJob::ReadDirectory(const std::string& directory, Listing& listing) {
    DirHandle handle(opendir(directory.c_str()), closedir);
    struct stat self {};
    if (!handle || fstat(dirfd(handle.get()), &self) != 0) return false;
    listing.self = {self.st_dev, self.st_ino};
    while (dirent* entry = readdir(handle.get())) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (!KeepGoing()) break;
        struct stat info {};
        if (fstatat(dirfd(handle.get()), entry->d_name, &info, 0) != 0) {
            // A dangling link: tried like a file, so the log tells about it.
            if (IsSelected(name)) listing.files.push_back(name);
        } else if (S_ISDIR(info.st_mode)) {
            const DirectoryId id{info.st_dev, info.st_ino};
            const bool walking = std::find(walking_.begin(), walking_.end(), id) != walking_.end();
            if (!walking && !(hasDestinationRoot_ && id == destinationRoot_))
                listing.directories.push_back(name);
        } else if (IsSelected(name)) {
            // Devices, pipes and sockets too: their readers refuse them at once, naming them.
            listing.files.push_back(name);
        }
    }
    return true;
}

void CBatchJob::NoteDestinationRoot(const std::string& path) {
    struct stat info {};
    hasDestinationRoot_ = stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    if (hasDestinationRoot_) destinationRoot_ = {info.st_dev, info.st_ino};
}

int CBatchJob::CountFiles(const std::string& directory) {
    if (walking_.empty()) NoteDestinationRoot(destinationDirectory);
    Listing listing;
    progress_->SetPath(directory);
    if (!ReadDirectory(directory, listing)) return -1;
    int found = static_cast<int>(listing.files.size());
    count_ += found;
    total_ = count_;
    progress_->SetCounter(std::to_string(count_));
    if (cancelled_ || !recurse) return found;
    walking_.push_back(listing.self);
    for (const std::string& name : listing.directories) {
        const int below = CountFiles(EnsureTrailingSlash(directory) + name);
        if (cancelled_) break;
        if (below > 0) found += below;
    }
    walking_.pop_back();
    total_ = count_;
    return found;
}

bool CBatchJob::BeginProcessing() {
    const std::string reportName = task_.ReportName();
    count_ = 0;
    cancelled_ = false;
    ShowCounter();
    progress_->SetPath("");
    link_ = image_ = ".";
    if (!NormaliseRoot(sourceDirectory, source_)) {
        ReportErrorId(reportName, sourceDirectory, StringId::NoSourceFolder);
        return false;
    }
    if (!NormaliseRoot(destinationDirectory, destination_) &&
        !(planOnly && PlannedRoot(destinationDirectory, destination_))) {
        ReportErrorId(reportName, destinationDirectory, StringId::NoDestinationFolder);
        return false;
    }
    NoteDestinationRoot(DirectoryText(destination_));
    return true;
}

bool CBatchJob::OpenLog(const std::string& path) {
    if (!log_.Open(path)) {
        ReportErrorId(task_.ReportName(), path, StringId::NoLogFile);
        return false;
    }
    const std::string folder = LogFolder(path);
    link_ = RelativeRoot(DirectoryText(source_), folder);
    image_ = RelativeRoot(DirectoryText(destination_), folder);
    return true;
}

std::string CBatchJob::WriteErrorLine(const char* format, const std::string& argument) {
    log_.WriteErrorLine(format, argument);
    return ErrorLineText(format, argument);
}

BatchReport CBatchJob::ErrorLineReport(const char* format, const std::string& argument,
                                       int error) const {
    return {task_.ReportName() + ":" + ErrorLineMessage(format) + "\n" + argument, error};
}

void CBatchJob::LogFolderError(const char* format, const std::string& argument, int error) {
    const std::string line = WriteErrorLine(format, argument);
    failures_.AddFolder(line);
    progress_->ShowFailure(line, ErrorLineReport(format, argument, error), true);
    ShowFailures();
}

void CBatchJob::LogFileError(const char* format, const std::string& argument, bool firstOfFile,
                             int error) {
    const std::string line = WriteErrorLine(format, argument);
    failures_.AddFile(line, firstOfFile);
    progress_->ShowFailure(line, ErrorLineReport(format, argument, error), firstOfFile);
    ShowFailures();
}

void CBatchJob::LogReport(const BatchReport& report, bool firstOfFile) {
    const std::string line = WriteErrorLine("%s", report.Line());
    failures_.AddFile(line, firstOfFile);
    progress_->ShowFailure(line, report, firstOfFile);
    ShowFailures();
}

void CBatchJob::SkipSameOutput(const std::string& output, const std::string& kept, int skipped,
                               bool firstOfOutput) {
    CountFile();
    std::string line = ErrorLineText(kLogSameOutput, output);
    if (firstOfOutput) {
        line = WriteErrorLine(kLogSameOutput, output);
        BatchReport report = ErrorLineReport(kLogSameOutput, output, 0);
        report.text.insert(report.text.rfind('\n'),
                           "; written from " + kept + ", " + std::to_string(skipped) + " skipped");
        progress_->ShowFailure(line, report, true);
    }
    failures_.AddFile(line, true);
    ShowFailures();
}

void CBatchJob::ShowFailures() {
    progress_->SetFailures(failures_.Headline(log_.Path()));
}

void CBatchJob::PlaceNames(const std::string& sourceName, const std::string& outputName) {
    source_.resize(level_.sourceEnd);
    source_ += sourceName;
    link_.resize(level_.linkEnd);
    link_ += sourceName;
    image_.resize(level_.imageEnd);
    image_ += outputName;
    destination_.resize(level_.destinationEnd);
    destination_ += outputName;
}

void CBatchJob::CutSlots() {
    // Each slot ends with the directory's own name again, without its separator.
    source_.resize(level_.sourceEnd - 1);
    link_.resize(level_.linkEnd - 1);
    image_.resize(level_.imageEnd - 1);
    destination_.resize(level_.destinationEnd - 1);
}

bool CBatchJob::OutputReplacesAnotherSource(const std::vector<std::string>& levelFiles) const {
    if (outputName_ == currentName_) return false;
    const bool selected = std::binary_search(levelFiles.begin(), levelFiles.end(), outputName_,
                                             [](const std::string& left, const std::string& right) {
                                                 return CompareNames(left, right) < 0;
                                             });
    struct stat outputDirectory {
    }, sourceFolder{};
    return selected &&
           stat(destination_.substr(0, level_.destinationEnd).c_str(), &outputDirectory) == 0 &&
           stat(source_.substr(0, level_.sourceEnd).c_str(), &sourceFolder) == 0 &&
           outputDirectory.st_dev == sourceFolder.st_dev &&
           outputDirectory.st_ino == sourceFolder.st_ino;
}

std::unique_ptr<CBatchFile>
CBatchJob::CurrentFile(const std::string& name, const std::vector<std::string>& levelFiles) const {
    CBatchFile::Paths paths{source_, link_, image_, destination_, outputName_, name};
    return std::make_unique<CBatchFile>(std::move(paths), level_.folder,
                                        OutputReplacesAnotherSource(levelFiles));
}

bool CBatchJob::ProcessTree() {
    std::vector<std::unique_ptr<IBatchWorker>> taskWorkers;
    for (int index = 0; index < std::max(workers, 1); ++index)
        taskWorkers.push_back(task_.NewWorker(index));
    CBatchRunner runner(*this, std::move(taskWorkers));
    runner_ = &runner;
    const bool walked = ProcessDirectory();
    runner.Finish();
    runner_ = nullptr;
    SyncDestination();
    return walked && !cancelled_;
}

void CBatchJob::SyncDestination() const {
    const int directory =
        open(DirectoryText(destination_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory < 0) return;
    syncfs(directory);
    close(directory);
}

void CBatchJob::CountFile() {
    progress_->Step();
    ++count_;
    ShowCounter();
}

bool CBatchJob::ProcessDirectory() {
    const Level parent = level_;
    const std::string destinationFolder = DirectoryText(destination_);
    level_.folder =
        std::make_shared<CDestinationFolder>(destinationFolder, IsDirectory(destinationFolder));
    source_ += "/";
    link_ += "/";
    image_ += "/";
    destination_ += "/";
    level_.sourceEnd = source_.size();
    level_.linkEnd = link_.size();
    level_.imageEnd = image_.size();
    level_.destinationEnd = destination_.size();

    Listing listing;
    const std::string directory = source_;
    const bool readable = ReadDirectory(directory, listing);
    if (!readable) {
        const std::string unreadable = DirectoryText(directory.substr(0, directory.size() - 1));
        runner_->Post([unreadable, error = errno](CBatchJob& job) {
            job.LogFolderError(kLogCantChdir, unreadable, error);
        });
    } else {
        progress_->SetPath(directory);
        walking_.push_back(listing.self);
        ProcessFiles(listing.files);
        if (recurse) ProcessSubdirectories(listing.directories);
        walking_.pop_back();
    }
    CutSlots();
    level_ = parent;
    return readable && !cancelled_;
}

std::map<std::string, CBatchJob::OutputWriter>
CBatchJob::ChooseWriters(const std::vector<std::string>& files) const {
    std::map<std::string, OutputWriter> writers;
    for (const std::string& name : files) {
        const std::string output = task_.OutputName(name);
        auto [writer, added] = writers.try_emplace(output, OutputWriter{name});
        if (added) continue;
        ++writer->second.skipped;
        // A source that is its own output stays the writer: it is never replaced by another.
        if (name == output) writer->second.source = name;
    }
    return writers;
}

void CBatchJob::ProcessFiles(std::vector<std::string>& files) {
    SortNames(files);
    const std::map<std::string, OutputWriter> writers = ChooseWriters(files);
    std::set<std::string> reported;
    for (const std::string& name : files) {
        if (cancelled_) break;
        currentName_ = name;
        outputName_ = task_.OutputName(name);
        PlaceNames(name, outputName_);
        progress_->SetPath(source_);
        const OutputWriter& writer = writers.at(outputName_);
        if (writer.source != name) {
            runner_->Post(
                [output = destination_, kept = source_.substr(0, level_.sourceEnd) + writer.source,
                 skipped = writer.skipped, first = reported.insert(outputName_).second](
                    CBatchJob& job) { job.SkipSameOutput(output, kept, skipped, first); });
            continue;
        }
        if (!runner_->Submit(CurrentFile(name, files))) break;
    }
}

void CBatchJob::ProcessSubdirectories(std::vector<std::string>& directories) {
    SortNames(directories);
    for (const std::string& name : directories) {
        if (cancelled_) return;
        if (!planOnly && !level_.folder->EnsureForSubdirectory()) {
            const std::string folder = level_.folder->Path();
            runner_->Post([folder, error = errno](CBatchJob& job) {
                job.LogFolderError(kLogCantMkdir, folder, error);
            });
            return;
        }
        PlaceNames(name, name);
        // A subdirectory that cannot be read is logged; its siblings are still walked.
        ProcessDirectory();
    }
}
