// Ondo_prj on a real X server: its key sink types the simulator's values into
// a spreadsheet-like window of this test, cell after cell, while clicks on its
// tool bar leave the keyboard focus in that window, also when a Wayland
// display is named that no longer exists.
#include "acquisition/configfile.h"
#include "tests/support/memoryconfiguration.h"
#include "tests/support/muxsim_process.h"
#include "tests/support/processes.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <memory>
#include <optional>

using namespace acquisition;

namespace {

// Types into the current cell; the arrows move between cells.
class Sheet : public QTableWidget {
public:
    Sheet() : QTableWidget(4, 4)
    {
        setEditTriggers(NoEditTriggers);
        setCurrentCell(0, 0);
    }
    QString cell(int row, int column) const
    {
        const QTableWidgetItem *it = item(row, column);
        return it ? it->text() : QString();
    }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        const QString text = event->text();
        if (text.size() == 1 && text.at(0).isPrint()) {
            if (!currentItem())
                setItem(currentRow(), currentColumn(), new QTableWidgetItem);
            currentItem()->setText(currentItem()->text() + text);
            return;
        }
        QTableWidget::keyPressEvent(event);
    }
};

using DisplayPtr = std::unique_ptr<Display, int (*)(Display *)>;

// The top-level window titled `title`, as its rectangle on the screen.
std::optional<QRect> findWindow(Display *display, const char *title)
{
    const Window root = DefaultRootWindow(display);
    Window parent = 0, rootReturn = 0;
    Window *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, root, &rootReturn, &parent, &children, &count))
        return std::nullopt;
    std::optional<QRect> found;
    for (unsigned i = 0; i < count && !found; ++i) {
        char *name = nullptr;
        XWindowAttributes attributes {};
        if (XFetchName(display, children[i], &name) && name && QByteArray(name) == title
            && XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable) {
            int x = 0, y = 0;
            Window child = 0;
            XTranslateCoordinates(display, children[i], root, 0, 0, &x, &y, &child);
            found = QRect(x, y, attributes.width, attributes.height);
        }
        if (name)
            XFree(name);
    }
    if (children)
        XFree(children);
    return found;
}

void click(Display *display, const QPoint &at)
{
    XTestFakeMotionEvent(display, -1, at.x(), at.y(), CurrentTime);
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    XTestFakeButtonEvent(display, 1, False, CurrentTime);
    XFlush(display);
}

Window inputFocus(Display *display)
{
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    return focus;
}

} // namespace

class TestOndoPrj : public QObject {
    Q_OBJECT
private slots:
    // Also with a WAYLAND_DISPLAY left over from a session that ended: the
    // keys go through XTest all the same.
    void typesIntoTheFocusedWindow_data()
    {
        QTest::addColumn<QString>("waylandDisplay");
        QTest::newRow("X11 session") << QString();
        QTest::newRow("WAYLAND_DISPLAY left over") << QStringLiteral("wayland-left-over");
    }
    void typesIntoTheFocusedWindow()
    {
        QFETCH(QString, waylandDisplay);
        DisplayPtr display(XOpenDisplay(nullptr), XCloseDisplay);
        QVERIFY(display);

        testsupport::MuxSimProcess sim;
        QVERIFY2(sim.start({"--model", "8", "--line", "short", "--per-command", "3", "--values",
                            "1.5,-2,30,4.25,5,-6"}),
                 qPrintable(sim.errorString()));

        // Quorix in a folder of its own: program, settings and configuration.
        QTemporaryDir folder;
        const QString program = folder.filePath("Ondo_prj");
        QVERIFY(QFile::copy(QStringLiteral(ONDO_PRJ_PATH), program));
        MemoryConfiguration values;
        applyMainWindowDefaults(values);
        values.setInstrumentCount(1, "3");
        ConfigurationFile().save(folder.filePath("rangee.mux"), values);
        QFile ini(folder.filePath("quorix.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[FICHIER]\r\nQuorix=" + folder.filePath("rangee.mux").toUtf8() + "\r\n");
        ini.close();

        Sheet sheet;
        sheet.setWindowTitle("Classeur");
        sheet.resize(500, 200);
        sheet.move(20, 20);
        sheet.show();
        sheet.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&sheet));
        const Window sheetWindow = Window(sheet.winId());
        QVERIFY(QTest::qWaitFor([&] { return inputFocus(display.get()) == sheetWindow; }, 5000));

        QProcess quorix;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("MUX_PORTS", sim.linkPath());
        env.insert("XDG_DATA_HOME", folder.filePath("data"));
        env.remove("WAYLAND_DISPLAY");
        if (!waylandDisplay.isEmpty()) {
            env.insert("WAYLAND_DISPLAY", waylandDisplay);
            env.insert("XDG_RUNTIME_DIR", folder.path());
        }
        quorix.setProcessEnvironment(env);
        quorix.setWorkingDirectory(folder.path());
        quorix.setProcessChannelMode(QProcess::ForwardedChannels);
        quorix.start(program);
        const auto stopQuorix = qScopeGuard([&] { testsupport::endProcess(quorix, 3000); });
        // Mapped first, then centred: click only once it stands at the centre.
        const QPoint screenCentre(DisplayWidth(display.get(), DefaultScreen(display.get())) / 2,
                                  DisplayHeight(display.get(), DefaultScreen(display.get())) / 2);
        std::optional<QRect> window;
        QVERIFY(QTest::qWaitFor([&] {
            window = findWindow(display.get(), "Quorix");
            return window && (window->center() - screenCentre).manhattanLength() <= 4;
        }, 30000));
        QTest::qWait(300); // the start-up activation loads the configuration

        // The three buttons fill the bottom 58 pixels, a third of the width each.
        const auto button = [&](int index) {
            return QPoint(window->x() + window->width() * (2 * index + 1) / 6, window->bottom() - 29);
        };
        click(display.get(), button(0)); // "Lecture"
        QVERIFY2(QTest::qWaitFor([&] { return !sheet.cell(1, 2).isEmpty(); }, 20000),
                 qPrintable(sheet.cell(0, 0)));
        click(display.get(), button(1)); // "Stop"
        QTest::qWait(200);

        const QStringList typed {sheet.cell(0, 0), sheet.cell(0, 1), sheet.cell(0, 2),
                                 sheet.cell(1, 0), sheet.cell(1, 1), sheet.cell(1, 2)};
        QCOMPARE(typed, QStringList({"1.5", "-2", "30", "4.25", "5", "-6"}));
        // The journal holds every value, in the order typed (its value column
        // as received, the letters that have no key included).
        QStringList journal;
        const QDir days(folder.filePath("data/quorix/journal"));
        for (const QString &day : days.entryList({"*.csv"}, QDir::Files, QDir::Name)) {
            QFile file(days.filePath(day));
            QVERIFY(file.open(QIODevice::ReadOnly));
            file.readLine(); // header
            while (!file.atEnd())
                journal << QString::fromUtf8(file.readLine()).trimmed().section(',', -1).remove(QRegularExpression("[^-+.0-9]"));
        }
        QCOMPARE(journal.mid(0, 6), typed);
        // The clicks did not take the focus from the sheet.
        QCOMPARE(inputFocus(display.get()), sheetWindow);
        QVERIFY(sheet.isActiveWindow());
        QVERIFY(quorix.state() == QProcess::Running);
        QGuiApplication::primaryScreen()->grabWindow(0).save(QStringLiteral(SCREENSHOT_PATH));
    }
};

QTEST_MAIN(TestOndoPrj)
#include "tst_main.moc"
