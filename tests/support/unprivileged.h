#pragma once

#include <QString>

#include <functional>

namespace testsupport {

// Runs check in a child process under the ids of an unprivileged user (nobody)
// when the tests run as root, since root ignores file permissions; as anyone
// else in a child process too. The child makes its own files. Returns what
// check reports: empty when it passed.
QString runUnprivileged(const std::function<QString()> &check);

// Collects what differs, for checks that run where QCOMPARE cannot report.
class Differences {
public:
    void compare(const QString &what, const QString &actual, const QString &expected);
    void verify(const QString &what, bool holds);
    QString text() const { return m_text; }

private:
    QString m_text;
};

} // namespace testsupport
