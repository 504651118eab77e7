#pragma once
// FIFOs for the tests of opening: a step that would wait on one is released by opening its
// other end, so that a regression fails instead of hanging the test run.
#include <chrono>
#include <fcntl.h>
#include <future>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

inline std::string MakeFifo(const std::string& path) {
    return mkfifo(path.c_str(), 0600) == 0 ? path : std::string();
}

// Runs the step on another thread; false when it still waits on the FIFO after ten seconds (it
// is then released, as often as it opens the FIFO again, and finished).
template <typename Step> bool FinishesWithoutWaiting(const std::string& fifo, Step step) {
    auto done = std::async(std::launch::async, step);
    if (done.wait_for(std::chrono::seconds(10)) == std::future_status::ready) {
        done.get();
        return true;
    }
    do {
        const int writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0) close(writer);
    } while (done.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready);
    done.get();
    return false;
}
