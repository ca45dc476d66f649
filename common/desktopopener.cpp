#include "common/desktopopener.h"

#include <QProcess>

#include <memory>

namespace common {

DesktopOpener::DesktopOpener(QStringList command, QObject *parent) : QObject(parent), m_command(std::move(command)) {}

DesktopOpener::~DesktopOpener()
{
    // A QProcess kills its program when destroyed: an opener still running
    // holds the user's file manager, which must outlive this program.
    for (QProcess *process : findChildren<QProcess *>()) {
        if (process->state() == QProcess::NotRunning)
            continue;
        process->disconnect();
        process->setParent(nullptr);
    }
}

void DesktopOpener::open(const QString &path, std::function<void(bool opened)> done)
{
    auto *process = new QProcess(this);
    // Told once: a failed start may come with a finished signal too.
    auto told = std::make_shared<bool>(false);
    const auto tell = [process, told, done = std::move(done)](bool opened) {
        if (*told)
            return;
        *told = true;
        process->deleteLater();
        if (done)
            done(opened);
    };
    connect(process, &QProcess::finished, this, [process, tell](int code, QProcess::ExitStatus status) {
        tell(status == QProcess::NormalExit && code == 0);
    });
    connect(process, &QProcess::errorOccurred, this, [tell](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            tell(false);
    });
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    process->start(m_command.value(0), m_command.mid(1) << path);
}

} // namespace common
