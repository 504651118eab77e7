#pragma once
// SIGTERM and SIGHUP (the session ending, a kill, the terminal closing) turned into a Qt signal
// in the event loop, so that the program ends through its normal exit path. The handler only
// writes the signal's number into a pipe that a socket notifier watches.
#include <QObject>

class QSocketNotifier;

class CTerminationSignals : public QObject {
    Q_OBJECT
public:
    // One instance at a time; it restores the default actions when it goes.
    explicit CTerminationSignals(QObject* parent = nullptr);
    ~CTerminationSignals() override;

signals:
    void terminationRequested(int signalNumber);

private:
    void ReadSignal();

    int pipe_[2] = {-1, -1};
    QSocketNotifier* notifier_ = nullptr;
};
