// The desktop's opener is judged by its exit status, not by its start.
#include "common/desktopopener.h"

#include <QTemporaryDir>
#include <QTest>

#include <optional>

using common::DesktopOpener;

namespace {

// What the opener told, once it has.
std::optional<bool> openWith(const QStringList &command, const QString &path)
{
    DesktopOpener opener(command);
    std::optional<bool> told;
    int calls = 0;
    opener.open(path, [&](bool opened) {
        told = opened;
        ++calls;
    });
    QTest::qWaitFor([&] { return told.has_value(); }, 30000);
    QTest::qWait(50); // a second call would come now
    return calls == 1 ? told : std::nullopt;
}

} // namespace

class TestDesktopOpener : public QObject {
    Q_OBJECT
private slots:
    void exitStatusDecides()
    {
        QTemporaryDir dir;
        // An opener that succeeds only for a folder that exists, as given.
        const QStringList opener {"sh", "-c", "test -d \"$1\"", "opener"};
        QCOMPARE(openWith(opener, dir.path()), std::optional<bool>(true));
        QCOMPARE(openWith(opener, dir.filePath("missing")), std::optional<bool>(false));
        QCOMPARE(openWith({"sh", "-c", "kill -9 $$"}, dir.path()), std::optional<bool>(false));
        QCOMPARE(openWith({dir.filePath("no-such-opener")}, dir.path()), std::optional<bool>(false));
    }
};

QTEST_GUILESS_MAIN(TestDesktopOpener)
#include "tst_desktopopener.moc"
