#pragma once

#include <QObject>

class QSocketNotifier;

namespace tesselo {

// Turns SIGTERM, SIGHUP and SIGINT (a desktop session that ends, a closed
// terminal, Ctrl+C) into a Qt signal that the event loop delivers. The
// handler itself only writes the signal's number to a socket, the one thing
// a handler may safely do; whatever the program does about it runs later,
// between events. Each handler holds for one delivery: a second signal of
// the same kind ends the program at once, should the first one's work hang,
// though not in the middle of a save (see TerminationHold).
// One watcher at a time; the previous handlers come back when it goes.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // False when the socket or a handler could not be set up; the signals
    // then keep whatever handling they had.
    bool IsWatching() const { return notifier != nullptr; }

signals:
    void Received(int signalNumber);

private:
    void OnReadable();

    QSocketNotifier* notifier = nullptr;
};

} // namespace tesselo
