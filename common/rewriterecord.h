#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace common {

// A file rewritten in place (its folder refuses new files) has no rename to
// make the change atomic: a kill between the first byte written and the final
// length would leave new bytes over an old tail. So before the rewrite both
// versions go, synced, into a record in a folder of the user's; the next start
// finishes what a killed rewrite began. A record is written whole (through a
// temporary file and a rename) and carries a checksum, so a half-written one
// is never acted on.
class RewriteRecord {
public:
    // Records the rewrite of `target` (a path as the system names it) from
    // `old` to `bytes` in `folder`, made when missing. False when the record
    // could not be written: the caller then rewrites without one.
    static RewriteRecord write(const QString &folder, const QByteArray &target, const QByteArray &old,
                               const QByteArray &bytes);

    bool valid() const { return !m_path.isEmpty(); }
    // The rewrite is over (done or undone): the record goes.
    void drop();

private:
    QString m_path;
};

// At start-up: every record left in `folder` whose file holds neither its old
// nor its new bytes gets the new bytes; then the record goes. Returns the files
// so completed.
QStringList finishInterruptedRewrites(const QString &folder);

} // namespace common
