#pragma once
// Hands the files of a batch walk to the task's workers. With one worker each file is processed
// in turn on the job's thread, as the walk reaches it. With more, every worker has a thread of
// its own and the walk goes on while they work; what each file leaves (log lines, reports, sums,
// the count) is played back on the job's thread in walk order, so the log and the summary are
// those of a run in turn. Two files never run at once when one reads or writes a path that the
// other writes (same-named outputs, an output over a later source), so every output is written
// in walk order too. At most one picture per worker is held at a time.
#include "batch/BatchFile.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

class CBatchJob;
class IBatchWorker;

class CBatchRunner {
public:
    CBatchRunner(CBatchJob& job, std::vector<std::unique_ptr<IBatchWorker>> workers);
    // Waits for the files still being processed.
    ~CBatchRunner();
    CBatchRunner(const CBatchRunner&) = delete;
    CBatchRunner& operator=(const CBatchRunner&) = delete;

    // Processes a file, or queues it for the next free worker. False when it is known that the
    // files of its directory end here: its own processing ended them (one worker), an earlier
    // file's did, or the run was cancelled.
    bool Submit(std::unique_ptr<CBatchFile> file);
    // Something the walk itself has to show (a log line), played back after the files submitted
    // before it.
    void Post(const CBatchFile::Action& action);
    // Waits for every file handed out, playing back as they complete. After a cancel, files not
    // yet started are dropped; those being processed are finished.
    void Finish();

private:
    struct Slot {
        std::unique_ptr<CBatchFile> file; // null for an action of the walk
        CBatchFile::Action action;
        bool done = false;
        bool endsFiles = false; // processing returned false
        bool dropped = false;   // cancelled before it started
    };

    bool ProcessInTurn(CBatchFile& file);
    void WorkerLoop(IBatchWorker& worker);
    void Process(IBatchWorker& worker, Slot& slot);
    // Plays back the completed slots at the front, in order (lock released while playing).
    void PlayBackCompleted(std::unique_lock<std::mutex>& lock);
    void PlayBack(Slot& slot);
    // Lets the progress handle events while the job's thread waits for a worker.
    void WaitForWorkers(std::unique_lock<std::mutex>& lock);
    bool Conflicts(const CBatchFile& file) const;
    void Release(const CBatchFile& file);

    CBatchJob& job_;
    std::vector<std::unique_ptr<IBatchWorker>> workers_;
    std::vector<std::thread> threads_;
    std::mutex mutex_;
    std::condition_variable workReady_, slotDone_;
    std::deque<Slot> slots_;                // in walk order, up to the last one played back
    std::deque<Slot*> queue_;               // files waiting for a worker
    std::multiset<std::string> pathsInUse_; // sources and outputs of the files being processed
    size_t busy_ = 0;                       // files queued or being processed
    bool stopping_ = false;
    bool cancelled_ = false;
};
