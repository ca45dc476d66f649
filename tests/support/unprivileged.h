#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace testsupport {

// Permissions do not restrain root, so checks of them run as an unprivileged
// user. A test function prepares a folder, then calls runUnprivileged: as
// root, the same test function runs again in a child process as the user
// "nobody" (or, where that user cannot reach the test, as root without its
// power over permissions) and only does `check` on the folder, which must be
// reachable for that user; as any other user, `check` runs at once.
//
//     void test()
//     {
//         if (testsupport::isUnprivilegedChild())
//             return check(testsupport::childFolder());
//         ... prepare folder ...
//         testsupport::runUnprivileged(folder, check);
//     }
bool isUnprivilegedChild();
QString childFolder();
void runUnprivileged(const QString &folder, const std::function<void(const QString &)> &check);
// For a check that makes its own files: the whole test function is
// `testsupport::runUnprivileged(check);`.
void runUnprivileged(const std::function<void()> &check);

// A shared install's folder while it lives: the named files writable for
// everyone, the folder open to all but closed to new files, its owner's too.
class SharedInstallFolder {
public:
    SharedInstallFolder(const QString &folder, const QStringList &writableFiles);
    ~SharedInstallFolder();
    SharedInstallFolder(const SharedInstallFolder &) = delete;
    SharedInstallFolder &operator=(const SharedInstallFolder &) = delete;

private:
    QString m_folder;
};

} // namespace testsupport
