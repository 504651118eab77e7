#pragma once
// The files one save writes. Each stream a writer gets is a temporary file beside its target;
// Commit checks every write and the close, then renames each over its target, so a failed
// save (a full disk, a codec error) leaves the files it would have replaced as they were.
// Whatever is not committed is removed. A file that replaces an existing one is synced to disk
// before the rename, so that a crash leaves either the old file or the new one; a new file is
// not (nothing of the user's is at stake, and a batch run syncs its tree once at its end).
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class COutputFiles {
public:
    COutputFiles() = default;
    ~COutputFiles() { Discard(); }
    COutputFiles(const COutputFiles&) = delete;
    COutputFiles& operator=(const COutputFiles&) = delete;

    // A stream whose bytes replace the file at path on Commit; null when it cannot be created.
    // A symbolic link keeps pointing at the file it names; a target that is not a regular
    // file (a device, a pipe) is written directly. The size of a measured file is recorded.
    std::FILE* Create(const std::string& path, bool measured = true);
    // The message for a report of the last Create's failure: when the target's folder refused
    // the temporary file while the target itself is writable, that (the folder, the system's
    // reason), since the file is never written in place; otherwise `usual`.
    std::string CreateFailureMessage(const std::string& usual) const;
    // Finishes every stream and moves it into place. On failure reports (name, the target
    // concerned, the system's reason), removes the temporary files and returns false.
    bool Commit(const std::string& reportName);
    // Closes and removes every temporary file.
    void Discard();
    // Size of the measured file after Commit.
    uint32_t MeasuredSize() const { return measuredSize_; }

    // The descriptor under a stream, and the first error its writes met (0 for none).
    struct Sink {
        int fd = -1;
        int error = 0;
    };

private:
    struct Output {
        std::string target;
        std::string temporary; // empty when the target is written directly
        std::unique_ptr<Sink> sink;
        std::FILE* file = nullptr;
        bool measured = false;
        bool replaces = false; // the target existed when the stream was created
    };
    // Opens the output's temporary file beside its target; a refusal is kept for the report.
    void Stage(Output& output);
    // Flushes, syncs and closes; false with the reason when a write or the close failed.
    bool Finish(Output& output, std::string& reason);
    // Discards everything, then reports; the target is a copy since discarding drops it.
    void Fail(const std::string& reportName, std::string target, const std::string& reason);

    // The folder that refused the last Create's temporary file, for the target, and why.
    struct RefusedStaging {
        std::string folder, target;
        int error = 0;
    };

    std::vector<Output> outputs_;
    RefusedStaging refusedStaging_;
    uint32_t measuredSize_ = 0;
};
