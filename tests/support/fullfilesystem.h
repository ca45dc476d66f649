#pragma once

#include <QString>
#include <QTemporaryDir>

namespace testsupport {

// A small tmpfs mounted for one test, which can then be filled so that every
// write on it fails with ENOSPC, as on a full disk. Mounting needs root;
// otherwise mounted() is false and whyNot() says why. Unmounted when it goes.
class FullFileSystem {
public:
    FullFileSystem();
    ~FullFileSystem();
    FullFileSystem(const FullFileSystem &) = delete;
    FullFileSystem &operator=(const FullFileSystem &) = delete;

    bool mounted() const { return m_mounted; }
    QString whyNot() const { return m_whyNot; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

    // Takes every free byte with a filler file; false if the file system
    // never reported that it was full.
    bool fill();

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_whyNot;
};

} // namespace testsupport
