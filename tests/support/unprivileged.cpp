#include "tests/support/unprivileged.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <algorithm>
#include <grp.h>
#include <linux/capability.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace testsupport {

namespace {

const char kFolderVariable[] = "TEST_UNPRIVILEGED_FOLDER";
constexpr uid_t kNobody = 65534;

// The file and every folder above it can be passed by other users.
bool reachableByOthers(const QString &path)
{
    for (QFileInfo info(QFileInfo(path).absoluteFilePath());; info.setFile(info.absolutePath())) {
        if (!(info.permissions() & QFile::ExeOther))
            return false;
        if (info.isRoot())
            return true;
    }
}

} // namespace

bool isUnprivilegedChild()
{
    return qEnvironmentVariableIsSet(kFolderVariable);
}

QString childFolder()
{
    return qEnvironmentVariable(kFolderVariable);
}

void runUnprivileged(const QString &folder, const std::function<void(const QString &)> &check)
{
    if (geteuid() != 0) {
        check(folder);
        return;
    }
    QString function = QString::fromLatin1(QTest::currentTestFunction());
    if (QTest::currentDataTag())
        function += u':' + QString::fromLocal8Bit(QTest::currentDataTag());

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(kFolderVariable, folder);
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR")); // root's, refused to others
    child.setProcessEnvironment(environment);
    child.setWorkingDirectory(QStringLiteral("/"));
    child.setProcessChannelMode(QProcess::MergedChannels);
    // As "nobody" when it can reach this program and the sources; otherwise
    // (a checkout in a private folder) as root without the capabilities that
    // pass over file permissions, so that the owner's permission bits apply.
    const bool asNobody = reachableByOthers(QCoreApplication::applicationFilePath())
                          && reachableByOthers(QStringLiteral(SOURCE_DIR "/lang"));
    child.setChildProcessModifier([asNobody] {
        const bool dropped = asNobody ? ::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0
                                      : ::prctl(PR_CAPBSET_DROP, CAP_DAC_OVERRIDE) == 0
                                            && ::prctl(PR_CAPBSET_DROP, CAP_DAC_READ_SEARCH) == 0;
        if (!dropped)
            ::_exit(121);
    });
    child.start(QCoreApplication::applicationFilePath(), {function});
    QVERIFY2(child.waitForFinished(120000), "the unprivileged run did not end");
    const QByteArray output = child.readAll();
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, output.constData());
    // A child that skipped, or ran nothing, would hide that nothing was checked.
    const QByteArray passed = "::" + QByteArray(QTest::currentTestFunction()) + '(';
    const QList<QByteArray> lines = output.split('\n');
    QVERIFY2(std::any_of(lines.begin(), lines.end(),
                         [&](const QByteArray &line) { return line.startsWith("PASS") && line.contains(passed); }),
             output.constData());
}

void runUnprivileged(const std::function<void()> &check)
{
    if (isUnprivilegedChild())
        check();
    else
        runUnprivileged(QString(), [&check](const QString &) { check(); });
}

SharedInstallFolder::SharedInstallFolder(const QString &folder, const QStringList &writableFiles)
    : m_folder(folder)
{
    for (const QString &name : writableFiles)
        QFile::setPermissions(QDir(folder).filePath(name), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup
                                                              | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                                      | QFile::ReadOther | QFile::ExeOther);
}

SharedInstallFolder::~SharedInstallFolder()
{
    QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace testsupport
