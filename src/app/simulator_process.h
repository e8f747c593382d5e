#pragma once
// `kestrin --simulate`: the simulated unit as a child process on a
// pseudo-terminal. kestrin-sim lies beside the kestrin binary; its first
// line on stdout is the device to connect to. The process is stopped (and
// waited for) when this object goes, so no simulator outlives the window.

#include <QProcess>
#include <QString>

namespace kestrin {

class SimulatorProcess {
public:
    SimulatorProcess() = default;
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    // Starts `program` and waits up to `timeoutMs` for its device line.
    // Returns the device, or an empty string with `error()` saying why.
    QString start(const QString& program, const QStringList& arguments = {}, int timeoutMs = 5000);
    void stop();
    const QString& error() const { return error_; }

private:
    QProcess process_;
    QString error_;
};

}  // namespace kestrin
