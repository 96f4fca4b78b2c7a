#pragma once
// SIGTERM, SIGINT and SIGHUP (a desktop logout, Ctrl+C, a closed terminal)
// end the program the ordinary way: every modal loop returns, so the
// windows close from the innermost out and their destruction does what it
// always does (the browser window saves its options). The signal handler
// only writes a byte into a pipe; the work happens when the event loop
// reads it, never inside the handler.

#include <csignal>
#include <memory>

class QSocketNotifier;

class TerminationSignals {
public:
    // Takes the three signals over for as long as the object lives (one
    // at a time); the handlers found before come back afterwards.
    TerminationSignals();
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // Whether the handlers are in place (false when the pipe could not be
    // made, or another object holds the signals).
    bool Active() const { return m_active; }
    // The signal that arrived last; 0 before any did.
    int Received() const { return m_received; }

private:
    void OnReadable();

    static constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
    bool m_active = false;
    int m_received = 0;
    std::unique_ptr<QSocketNotifier> m_notifier;
    struct sigaction m_previous[3] {};
};
