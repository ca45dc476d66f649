#include "tests/support/unprivileged.h"

#include <QByteArray>

#include <cerrno>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

namespace {
constexpr uid_t nobody = 65534;
}

QString runUnprivileged(const std::function<QString()> &check)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return QStringLiteral("no pipe");
    const pid_t child = ::fork();
    if (child < 0)
        return QStringLiteral("no fork");
    if (child == 0) {
        ::close(channel[0]);
        QByteArray report;
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(nobody) != 0 || ::setuid(nobody) != 0))
            report = "cannot take the ids of nobody";
        else
            report = check().toUtf8();
        for (qsizetype at = 0; at < report.size();) {
            const ssize_t n = ::write(channel[1], report.constData() + at, size_t(report.size() - at));
            if (n <= 0)
                break;
            at += n;
        }
        ::_exit(0);
    }
    ::close(channel[1]);
    QByteArray report;
    char buffer[4096];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) != 0;) {
        if (n > 0)
            report.append(buffer, n);
        else if (errno != EINTR)
            break;
    }
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status))
        report += "child process ended abnormally";
    return QString::fromUtf8(report);
}

void Differences::compare(const QString &what, const QString &actual, const QString &expected)
{
    if (actual != expected)
        m_text += QStringLiteral("%1: got \"%2\", expected \"%3\"\n").arg(what, actual, expected);
}

void Differences::verify(const QString &what, bool holds)
{
    if (!holds)
        m_text += what + u'\n';
}

} // namespace testsupport
