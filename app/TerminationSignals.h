// SIGTERM, SIGINT and SIGHUP turned into a Qt signal, so that the program ends through its close
#pragma once

#include <QObject>

class QSocketNotifier;

namespace fendral {

// Catches the three signals while it exists. Their handler only writes a byte into a pipe; the
// event loop reads it and emits received, where Qt may be used again. One instance at a time.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override; // gives the signals back their default handling

signals:
    void received(int signal);

private:
    void readPipe();

    QSocketNotifier* m_notifier = nullptr;
};

} // namespace fendral
