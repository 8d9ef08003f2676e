#include "app/DesktopOpener.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

namespace pw {

bool OpenLocalFileWith(const QString& opener, const QString& path, int waitMs) {
    // Owned by the application: when the opener outlives the wait, it must
    // outlive this call too.
    auto* process = new QProcess(QCoreApplication::instance());
    process->setProgram(opener);
    process->setArguments({path});
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    bool failedToStart = false;
    QObject::connect(process, &QProcess::errorOccurred, process, [&failedToStart](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart) failedToStart = true;
    });
    QEventLoop loop;
    QObject::connect(process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(waitMs, &loop, &QEventLoop::quit);
    process->start();
    if (process->state() != QProcess::NotRunning) loop.exec(QEventLoop::ExcludeUserInputEvents);
    QObject::disconnect(process, nullptr, &loop, nullptr);

    if (process->state() != QProcess::NotRunning) {
        QObject::disconnect(process, &QProcess::errorOccurred, process, nullptr);
        QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
        return true;
    }
    const bool opened = !failedToStart && process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
    delete process;
    return opened;
}

}  // namespace pw
