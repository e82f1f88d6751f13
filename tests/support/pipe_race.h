#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QString>

#include <atomic>
#include <chrono>
#include <csignal>
#include <functional>
#include <thread>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tesselo::testing {

// What a reader made of a name that kept changing under it.
struct PipeRace {
    int read = 0;       // calls that found the regular file
    int refused = 0;    // calls that found the pipe
    bool hung = false;  // a call never came back
};

// Calls `reader(name)` (true: it read the file) over and over for
// `milliseconds`, in a child process, while this process keeps swapping the
// file at `name` (holding `content`) for a named pipe and back, each swap a
// single rename. A reader that looks at the name and then opens it by name
// is sooner or later handed the pipe in between, and an open of a pipe
// waits for a writer that never comes: the child then outlives its time by
// far and is killed, which the result reports. Run in the current directory.
inline PipeRace RaceAgainstAPipe(const QString& name, const QByteArray& content,
                                 const std::function<bool(const QString&)>& reader, int milliseconds = 400)
{
    const QByteArray target = QFile::encodeName(name);
    const QByteArray regular = target + ".regular", pipe = target + ".pipe", next = target + ".next";
    PipeRace race;
    {
        QFile f(QString::fromLocal8Bit(regular));
        if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
            return race;
    }
    int counts[2] = {-1, -1};
    int channel[2];
    if (::mkfifo(pipe.constData(), 0600) != 0 || ::link(regular.constData(), next.constData()) != 0 ||
        ::rename(next.constData(), target.constData()) != 0 || ::pipe(channel) != 0)
        return race;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        int done[2] = {0, 0};
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < milliseconds)
            ++done[reader(name) ? 0 : 1];
        [[maybe_unused]] const ssize_t n = ::write(channel[1], done, sizeof done);
        ::_exit(0);
    }
    ::close(channel[1]);
    std::atomic<bool> stop = false;
    std::thread swapper([&] {
        while (!stop) {
            for (const QByteArray* from : {&pipe, &regular}) {
                if (::link(from->constData(), next.constData()) == 0)
                    ::rename(next.constData(), target.constData());
            }
        }
    });
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds + 5000);
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            race.hung = true;
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    stop = true;
    swapper.join();
    if (!race.hung && ::read(channel[0], counts, sizeof counts) == sizeof counts) {
        race.read = counts[0];
        race.refused = counts[1];
    }
    ::close(channel[0]);
    return race;
}

} // namespace tesselo::testing
