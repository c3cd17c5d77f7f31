#include "TerminationSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace fendral {

namespace {

    constexpr int Signals[] = { SIGTERM, SIGINT, SIGHUP };
    int signalPipe[2] = { -1, -1 };

    // Only what is safe in a signal handler: one write, errno left as it was
    void writeSignal(int signal)
    {
        const int savedErrno = errno;
        const unsigned char byte = static_cast<unsigned char>(signal);
        [[maybe_unused]] const ssize_t written = write(signalPipe[1], &byte, 1);
        errno = savedErrno;
    }

} // namespace

TerminationSignals::TerminationSignals(QObject* parent)
    : QObject(parent)
{
    if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::readPipe);
    struct sigaction action = {};
    action.sa_handler = writeSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : Signals)
        sigaction(signal, &action, nullptr);
}

TerminationSignals::~TerminationSignals()
{
    for (const int signal : Signals)
        std::signal(signal, SIG_DFL);
    if (m_notifier) {
        delete m_notifier;
        close(signalPipe[0]);
        close(signalPipe[1]);
        signalPipe[0] = signalPipe[1] = -1;
    }
}

void TerminationSignals::readPipe()
{
    unsigned char byte = 0;
    while (read(signalPipe[0], &byte, 1) == 1)
        emit received(byte);
}

} // namespace fendral
