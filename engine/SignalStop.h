// Ctrl+C and SIGTERM during a command-line run: the handler only notes the signal and
// wakes the event loop through a pipe; the watched calculation then stops the engine's
// process group, and the caller unwinds (removing its temporary folder) on the way out.
#pragma once

#include <QSocketNotifier>

#include <csignal>
#include <functional>
#include <memory>

namespace vrnnec::engine {

class Calculation;

class SignalStop {
public:
    SignalStop();
    ~SignalStop();
    SignalStop(const SignalStop&) = delete;
    SignalStop& operator=(const SignalStop&) = delete;

    // Stops `calculation` when a signal arrives while it runs.
    void watch(Calculation& calculation);
    // Calls `stop` (in `context`'s thread) when a signal arrives.
    void watch(QObject* context, std::function<void()> stop);
    // The signal received since construction, 0 when none.
    int received() const;

private:
    struct sigaction savedInt_ {};
    struct sigaction savedTerm_ {};
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace vrnnec::engine
