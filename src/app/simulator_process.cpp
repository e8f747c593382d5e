#include "app/simulator_process.h"

#include <QDeadlineTimer>
#include <QFileInfo>

namespace kestrin {

SimulatorProcess::~SimulatorProcess()
{
    stop();
}

QString SimulatorProcess::start(const QString& program, const QStringList& arguments, int timeoutMs)
{
    if (!QFileInfo(program).isExecutable()) {
        error_ = QStringLiteral("%1 not found").arg(program);
        return {};
    }
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(program, arguments);
    if (!process_.waitForStarted(timeoutMs)) {
        error_ = QStringLiteral("%1 did not start: %2").arg(program, process_.errorString());
        return {};
    }
    const QDeadlineTimer deadline(timeoutMs);
    while (!process_.canReadLine()) {
        if (deadline.hasExpired() || process_.state() != QProcess::Running ||
            !process_.waitForReadyRead(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())))) {
            if (process_.canReadLine())
                break;
            error_ = QStringLiteral("%1 gave no device").arg(program);
            stop();
            return {};
        }
    }
    const QString device = QString::fromLocal8Bit(process_.readLine()).trimmed();
    if (device.isEmpty()) {
        error_ = QStringLiteral("%1 gave an empty device").arg(program);
        stop();
    }
    return device;
}

void SimulatorProcess::stop()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();  // SIGTERM: the simulator ends its serving cleanly
    if (!process_.waitForFinished(2000)) {
        process_.kill();
        process_.waitForFinished(1000);
    }
}

}  // namespace kestrin
