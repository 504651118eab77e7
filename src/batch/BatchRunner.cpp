#include "batch/BatchRunner.h"

#include "base/ReportError.h"
#include "batch/BatchJob.h"

#include <cerrno>
#include <chrono>

namespace {

// How often the job's thread looks at the progress (an abort) while it waits for the workers.
constexpr auto kPollInterval = std::chrono::milliseconds(50);

// Hands the reports made while a file is processed to the file, which leaves them to the run
// (in walk order when a worker thread processes it).
class FileReports : public IReportSink {
public:
    explicit FileReports(CBatchFile& file) : file_(file) {}
    void Report(const std::string& text) override { file_.Report(text, errno); }

private:
    CBatchFile& file_;
};

} // namespace

CBatchRunner::CBatchRunner(CBatchJob& job, std::vector<std::unique_ptr<IBatchWorker>> workers)
    : job_(job), workers_(std::move(workers)) {
    if (workers_.size() < 2) return;
    threads_.reserve(workers_.size());
    for (auto& worker : workers_)
        threads_.emplace_back([this, &worker] { WorkerLoop(*worker); });
}

CBatchRunner::~CBatchRunner() {
    Finish();
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    workReady_.notify_all();
    for (std::thread& thread : threads_)
        thread.join();
}

bool CBatchRunner::ProcessInTurn(CBatchFile& file) {
    job_.CountFile();
    if (!job_.KeepGoing()) return false;
    file.RunActionsOn(job_);
    FileReports reports(file);
    ScopedReportSink scope(reports);
    errno = 0; // a reason given belongs to this file's own calls
    return workers_.front()->ProcessFile(file);
}

bool CBatchRunner::Submit(std::unique_ptr<CBatchFile> file) {
    if (threads_.empty()) return ProcessInTurn(*file);
    const bool keepGoing = job_.KeepGoing();
    std::unique_lock lock(mutex_);
    if (!keepGoing) cancelled_ = true;
    for (;;) {
        PlayBackCompleted(lock);
        if (cancelled_ || file->Folder().filesEnded) return false;
        if (busy_ < threads_.size() && !Conflicts(*file)) break;
        WaitForWorkers(lock);
    }
    pathsInUse_.insert(file->SourcePath());
    pathsInUse_.insert(file->DestinationPath());
    ++busy_;
    slots_.push_back(Slot{std::move(file), {}});
    queue_.push_back(&slots_.back());
    lock.unlock();
    workReady_.notify_one();
    return true;
}

void CBatchRunner::Post(const CBatchFile::Action& action) {
    if (threads_.empty()) return action(job_);
    std::unique_lock lock(mutex_);
    slots_.push_back(Slot{nullptr, action, true});
    PlayBackCompleted(lock);
}

void CBatchRunner::Finish() {
    if (threads_.empty()) return;
    std::unique_lock lock(mutex_);
    if (job_.Cancelled()) cancelled_ = true;
    for (;;) {
        PlayBackCompleted(lock);
        if (slots_.empty()) return;
        WaitForWorkers(lock);
    }
}

void CBatchRunner::WaitForWorkers(std::unique_lock<std::mutex>& lock) {
    slotDone_.wait_for(lock, kPollInterval);
    lock.unlock();
    const bool keepGoing = job_.KeepGoing();
    lock.lock();
    if (!keepGoing) cancelled_ = true;
}

bool CBatchRunner::Conflicts(const CBatchFile& file) const {
    return pathsInUse_.count(file.SourcePath()) || pathsInUse_.count(file.DestinationPath());
}

void CBatchRunner::Release(const CBatchFile& file) {
    pathsInUse_.erase(pathsInUse_.find(file.SourcePath()));
    pathsInUse_.erase(pathsInUse_.find(file.DestinationPath()));
}

void CBatchRunner::WorkerLoop(IBatchWorker& worker) {
    std::unique_lock lock(mutex_);
    for (;;) {
        workReady_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (queue_.empty()) return;
        Slot& slot = *queue_.front();
        queue_.pop_front();
        slot.dropped = cancelled_;
        if (!slot.dropped) {
            lock.unlock();
            Process(worker, slot);
            lock.lock();
        }
        slot.done = true;
        Release(*slot.file);
        --busy_;
        slotDone_.notify_one();
    }
}

void CBatchRunner::Process(IBatchWorker& worker, Slot& slot) {
    FileReports reports(*slot.file);
    ScopedReportSink scope(reports);
    errno = 0;
    slot.endsFiles = !worker.ProcessFile(*slot.file);
}

void CBatchRunner::PlayBackCompleted(std::unique_lock<std::mutex>& lock) {
    while (!slots_.empty() && slots_.front().done) {
        Slot slot = std::move(slots_.front());
        slots_.pop_front();
        lock.unlock();
        PlayBack(slot);
        lock.lock();
    }
}

void CBatchRunner::PlayBack(Slot& slot) {
    if (!slot.file) return slot.action(job_);
    CDestinationFolder& folder = slot.file->Folder();
    if (slot.dropped || folder.filesEnded) return;
    job_.CountFile();
    slot.file->PlayBack(job_);
    if (slot.endsFiles) folder.filesEnded = true;
}
