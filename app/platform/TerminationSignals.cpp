#include "platform/TerminationSignals.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <deque>
#include <fcntl.h>
#include <unistd.h>

namespace platform {
namespace {

// The self-pipe: the handler only writes the signal number, which is all a signal handler may
// safely do; the event loop reads it and runs the program's code.
int g_pipe[2] = {-1, -1};
bool g_installed = false;
std::function<void(int)> g_handler;
std::deque<int> g_pending;
QPointer<QSocketNotifier> g_notifier;

extern "C" void onSignal(int sig) {
    const int saved = errno;
    const unsigned char b = static_cast<unsigned char>(sig);
    if (g_pipe[1] >= 0)
        (void)!write(g_pipe[1], &b, 1);
    errno = saved;
}

void setHandlers() {
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        sigaction(sig, &sa, nullptr);
}

void deliver() {
    while (!g_pending.empty() && g_handler) {
        const int sig = g_pending.front();
        g_pending.pop_front();
        auto handler = g_handler; // the handler may replace itself
        handler(sig);
    }
}

void drain() {
    unsigned char buf[16];
    ssize_t n;
    while ((n = read(g_pipe[0], buf, sizeof buf)) > 0)
        for (ssize_t i = 0; i < n; ++i)
            g_pending.push_back(buf[i]);
    deliver();
}

} // namespace

void InstallTerminationHandlers() {
    if (g_pipe[0] < 0 && pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    g_installed = true;
    setHandlers();
}

void ReassertTerminationHandlers() {
    if (g_installed)
        setHandlers();
}

void SetTerminationHandler(std::function<void(int iSignal)> handler) {
    g_handler = std::move(handler);
    if (g_pipe[0] < 0 || !QCoreApplication::instance())
        return;
    if (!g_notifier) {
        g_notifier =
            new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
        QObject::connect(g_notifier, &QSocketNotifier::activated, g_notifier, [] { drain(); });
    }
    // Signals that came while no function was set are handed over from the event loop.
    if (g_handler && !g_pending.empty())
        QTimer::singleShot(0, g_notifier, [] { deliver(); });
}

} // namespace platform
