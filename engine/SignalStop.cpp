#include "engine/SignalStop.h"

#include "engine/Calculation.h"

#include <atomic>

#include <fcntl.h>
#include <unistd.h>

namespace vrnnec::engine {

namespace {

std::atomic<int> g_signal{0};
int g_wakePipe[2] = {-1, -1};

extern "C" void noteSignal(int number)
{
    g_signal = number;
    if (g_wakePipe[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] const auto written = ::write(g_wakePipe[1], &byte, 1);
    }
}

} // namespace

SignalStop::SignalStop()
{
    g_signal = 0;
    if (::pipe2(g_wakePipe, O_CLOEXEC | O_NONBLOCK) != 0)
        g_wakePipe[0] = g_wakePipe[1] = -1;
    struct sigaction action {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, &savedInt_);
    ::sigaction(SIGTERM, &action, &savedTerm_);
}

SignalStop::~SignalStop()
{
    notifier_.reset();
    ::sigaction(SIGINT, &savedInt_, nullptr);
    ::sigaction(SIGTERM, &savedTerm_, nullptr);
    for (int& fd : g_wakePipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

void SignalStop::watch(Calculation& calculation)
{
    watch(&calculation, [&calculation] { calculation.stop(); });
}

void SignalStop::watch(QObject* context, std::function<void()> stop)
{
    if (g_wakePipe[0] < 0)
        return;
    notifier_ = std::make_unique<QSocketNotifier>(g_wakePipe[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, context, [stop = std::move(stop)] {
        char buffer[16];
        while (::read(g_wakePipe[0], buffer, sizeof buffer) > 0) {
        }
        stop();
    });
}

int SignalStop::received() const
{
    return g_signal;
}

} // namespace vrnnec::engine
