#include "platform/TerminationSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The pipe's ends; -1 while no object holds the signals. Only the handler
// and the owning object touch them.
int g_readEnd = -1;
volatile sig_atomic_t g_writeEnd = -1;

extern "C" void OnTerminationSignal(int number)
{
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    if (g_writeEnd >= 0) {
        // The pipe does not block: a full pipe already holds a signal.
        [[maybe_unused]] const ssize_t written = ::write(g_writeEnd, &byte, 1);
    }
    errno = savedErrno;
}

}  // namespace

TerminationSignals::TerminationSignals()
{
    int ends[2] = {-1, -1};
    if (g_readEnd >= 0 || ::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    g_readEnd = ends[0];
    g_writeEnd = ends[1];
    m_notifier = std::make_unique<QSocketNotifier>(g_readEnd, QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(), [this] { OnReadable(); });

    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        sigaction(kSignals[i], &action, &m_previous[i]);
    m_active = true;
}

TerminationSignals::~TerminationSignals()
{
    if (!m_active)
        return;
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        sigaction(kSignals[i], &m_previous[i], nullptr);
    m_notifier.reset();
    const int writeEnd = g_writeEnd;
    g_writeEnd = -1;
    ::close(writeEnd);
    ::close(g_readEnd);
    g_readEnd = -1;
}

void TerminationSignals::OnReadable()
{
    unsigned char bytes[64];
    ssize_t got = 0;
    while ((got = ::read(g_readEnd, bytes, sizeof bytes)) > 0)
        m_received = bytes[got - 1];
    // Every event loop returns, the modal ones included, and any loop
    // started from here on returns at once: the program unwinds to its end.
    QCoreApplication::exit(0);
}
