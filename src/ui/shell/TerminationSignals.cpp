#include "ui/shell/TerminationSignals.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP};
volatile std::sig_atomic_t writeEnd = -1;

void OnSignal(int number) {
    const unsigned char byte = static_cast<unsigned char>(number);
    const int saved = errno;
    [[maybe_unused]] const ssize_t written = write(writeEnd, &byte, 1);
    errno = saved;
}

void SetAction(void (*handler)(int)) {
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : kSignals)
        sigaction(number, &action, nullptr);
}

} // namespace

CTerminationSignals::CTerminationSignals(QObject* parent) : QObject(parent) {
    if (pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) return;
    writeEnd = pipe_[1];
    notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &CTerminationSignals::ReadSignal);
    SetAction(OnSignal);
}

CTerminationSignals::~CTerminationSignals() {
    if (pipe_[0] < 0) return;
    SetAction(SIG_DFL);
    delete notifier_;
    writeEnd = -1;
    close(pipe_[0]);
    close(pipe_[1]);
}

void CTerminationSignals::ReadSignal() {
    unsigned char byte = 0;
    while (read(pipe_[0], &byte, 1) == 1)
        emit terminationRequested(byte);
}
