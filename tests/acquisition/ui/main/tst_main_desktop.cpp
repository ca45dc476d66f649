// Ondo_prj as a user runs it: on the X server with a window manager, against
// the simulator, driven by clicks and keys, watched through the windows the
// window manager manages.
#include "acquisition/configfile.h"
#include "common/inifile.h"
#include "tests/support/desktop/x11desktop.h"
#include "tests/support/memoryconfiguration.h"
#include "tests/support/quorixfolder.h"
#include "tests/support/muxsim_process.h"
#include "tests/support/processes.h"

#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <X11/keysym.h>

using namespace acquisition;
using testsupport::X11Desktop;

namespace {

constexpr int kEditorClientHeight = 425;

// Quorix in a folder of its own, French, with a configuration that reads
// instrument 1 once per series.
class Quorix {
public:
    bool start(const QString &port, const QString &perValueHorizontal = QStringLiteral("1"))
    {
        const QString program = m_folder.filePath("Ondo_prj");
        if (!QFile::copy(QStringLiteral(ONDO_PRJ_PATH), program)
            || !QFile::copy(QStringLiteral(SOURCE_DIR "/lang/quorix/Francais.lng"),
                            m_folder.filePath("Francais.lng")))
            return false;
        MemoryConfiguration values;
        applyMainWindowDefaults(values);
        values.setInstrumentCount(1, "1");
        values.setStep(Step::PerValueHorizontal, perValueHorizontal);
        if (!testsupport::writeQuorixStart(m_folder.path(), "atelier.mux", values))
            return false;

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("MUX_PORTS", port);
        m_process.setProcessEnvironment(env);
        m_process.setWorkingDirectory(m_folder.path());
        m_process.setProcessChannelMode(QProcess::ForwardedChannels);
        m_process.start(program);
        return m_process.waitForStarted(5000);
    }
    ~Quorix()
    {
        testsupport::endProcess(m_process, 3000);
    }
    qint64 pid() const { return m_process.processId(); }
    bool running() const { return m_process.state() == QProcess::Running; }
    QString file(const QString &name) const { return m_folder.filePath(name); }

private:
    QTemporaryDir m_folder;
    QProcess m_process;
};

// The window class the package's menu entry expects, so that the desktop shows
// the running window as that entry.
QString menuEntryWindowClass()
{
    QFile entry(QStringLiteral(QUORIX_DESKTOP_ENTRY));
    if (!entry.open(QIODevice::ReadOnly))
        return {};
    const QByteArray key = "StartupWMClass=";
    for (const QByteArray &line : entry.readAll().split('\n')) {
        if (line.startsWith(key))
            return QString::fromUtf8(line.mid(key.size()));
    }
    return {};
}

// Quorix's windows on the desktop, found by title and width.
struct Windows {
    X11Desktop &desktop;
    const Quorix &quorix;

    std::optional<X11Desktop::Client> find(const QString &title, int width = 0) const
    {
        return desktop.client(quorix.pid(), title, [width](const X11Desktop::Client &c) {
            return width == 0 || c.geometry.width() == width;
        });
    }
    std::optional<X11Desktop::Client> main() const { return find("Quorix", 171); }
    std::optional<X11Desktop::Client> editor() const { return find("Quorix", 489); }
    bool questionUp() const { return find("Confirmation") || find("Avertissement"); }

    // The main window, once mapped and centred (the start-up activation has
    // then loaded the configuration).
    std::optional<X11Desktop::Client> waitForMain() const
    {
        const QPoint centre = QGuiApplication::primaryScreen()->geometry().center();
        std::optional<X11Desktop::Client> found;
        const bool centred = QTest::qWaitFor([&] {
            found = main();
            return found && (found->geometry.center() - centre).manhattanLength() <= 30;
        }, 30000);
        return centred ? found : std::nullopt;
    }

    // Toolbar buttons: "Lecture", "Stop", "Reprise", a third of the width each
    // along the bottom 58 pixels.
    QPoint button(int index) const
    {
        const QRect g = main()->geometry;
        return QPoint(g.x() + g.width() * (2 * index + 1) / 6, g.bottom() - 29);
    }

    // The look of an enabled button: its coloured ring (green "Lecture", red
    // "Stop"); disabled buttons are grey. The icon's centre is white.
    bool looksEnabled(int index) const
    {
        const QRgb ring = desktop.pixel(button(index) - QPoint(15, 0));
        return index == 0 ? qGreen(ring) > qRed(ring) + 40 : qRed(ring) > qGreen(ring) + 40;
    }

    // "&Fichier" > "&Configuration"; the editor takes the focus.
    bool openEditor() const
    {
        // A click in the first moments after the window manager placed the
        // window can be lost; the menu is asked for again, not the test failed.
        bool menuShown = false;
        for (int attempt = 0; attempt < 3 && !menuShown; ++attempt) {
            const QRect g = main()->geometry;
            desktop.click(QPoint(g.x() + 20, g.y() + (g.height() - 58) / 2));
            menuShown = QTest::qWaitFor([&] { return desktop.popupShown(quorix.pid()); }, 4000);
        }
        if (!menuShown)
            return false;
        desktop.key(XK_c);
        return QTest::qWaitFor([&] { return editor() && desktop.activeWindow() == editor()->id; }, 10000);
    }

    // Editor controls, from the bottom-left of its 489 x 425 client area.
    QPoint editorPoint(int x, int y) const
    {
        const QRect g = editor()->geometry;
        return QPoint(g.x() + x, g.bottom() + 1 - kEditorClientHeight + y);
    }
    QPoint countField(int instrument) const { return editorPoint(320 + 90 + 28, 72 + 48 + 32 * (instrument - 1) + 10); }
    QPoint mesureButton() const { return editorPoint(8 + 44, kEditorClientHeight - 37 + 14); }
};

// Types what it receives: the characters of each value, then how many right
// arrows followed it.
class KeyTarget : public QWidget {
public:
    struct Entry {
        QString value;
        qint64 rights = 0;
    };
    QList<Entry> entries;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->key() == Qt::Key_Right) {
            if (!entries.isEmpty())
                ++entries.last().rights;
            return;
        }
        const QString text = event->text();
        if (text.size() != 1 || !text.at(0).isPrint())
            return;
        if (entries.isEmpty() || entries.last().rights > 0)
            entries.append(Entry());
        entries.last().value += text;
    }
};

} // namespace

class TestQuorixDesktop : public QObject {
    Q_OBJECT
    X11Desktop desktop;

private slots:
    void initTestCase() { QVERIFY2(desktop.start(), qPrintable(desktop.errorString())); }

    void editorSaveQuestionKeepsQuorix()
    {
        testsupport::MuxSimProcess sim;
        QVERIFY2(sim.start({"--model", "8"}), qPrintable(sim.errorString()));
        Quorix quorix;
        QVERIFY(quorix.start(sim.linkPath()));
        Windows w {desktop, quorix};
        const auto main = w.waitForMain();
        QVERIFY(main);
        QCOMPARE(desktop.windowClass(main->id), menuEntryWindowClass());
        QVERIFY(desktop.atoms(main->id, "_NET_WM_STATE").contains("_NET_WM_STATE_ABOVE"));
        const auto noMaximise = [&](X11Desktop::WindowId id) {
            const QStringList allowed = desktop.atoms(id, "_NET_WM_ALLOWED_ACTIONS");
            return allowed.contains("_NET_WM_ACTION_MOVE") && !allowed.contains("_NET_WM_ACTION_MAXIMIZE_HORZ")
                && !allowed.contains("_NET_WM_ACTION_MAXIMIZE_VERT");
        };
        QVERIFY(noMaximise(main->id));

        // While the editor is open the main window is an ordinary window below it.
        QVERIFY(w.openEditor());
        const X11Desktop::WindowId editor = w.editor()->id;
        QVERIFY(noMaximise(editor));
        QVERIFY(desktop.stackIndex(main->id) < desktop.stackIndex(editor));
        QVERIFY(!desktop.atoms(main->id, "_NET_WM_STATE").contains("_NET_WM_STATE_ABOVE"));

        // A change, "Mesure": the save question, above the editor, the main
        // window still below.
        desktop.click(w.countField(2));
        desktop.type("4");
        desktop.click(w.mesureButton());
        QVERIFY(QTest::qWaitFor([&] { return w.find("Confirmation").has_value(); }, 10000));
        const X11Desktop::WindowId question = w.find("Confirmation")->id;
        QVERIFY(desktop.stackIndex(main->id) < desktop.stackIndex(editor));
        QVERIFY(desktop.stackIndex(editor) < desktop.stackIndex(question));
        QVERIFY(noMaximise(question));
        QGuiApplication::primaryScreen()->grabWindow(0).save(QStringLiteral(SCREENSHOT_PATH));

        // "&Non" closes the editor alone; Quorix goes on: no question of its
        // own, the editor opens again.
        QVERIFY(QTest::qWaitFor([&] { return desktop.activeWindow() == question; }, 5000));
        desktop.key(XK_n);
        QVERIFY(QTest::qWaitFor([&] { return !w.editor() && !w.find("Confirmation"); }, 10000));
        QVERIFY(w.openEditor());
        QVERIFY(!w.questionUp());
        QVERIFY(quorix.running());

        // The change is still there: "&Oui" saves and leaves the editor open.
        desktop.click(w.mesureButton());
        QVERIFY(QTest::qWaitFor([&] { return w.find("Confirmation").has_value(); }, 10000));
        QVERIFY(QTest::qWaitFor([&] { return desktop.activeWindow() == w.find("Confirmation")->id; }, 5000));
        desktop.key(XK_o);
        QVERIFY(QTest::qWaitFor([&] { return w.find("Enregistrer sous").has_value(); }, 10000));
        QVERIFY(QTest::qWaitFor([&] { return desktop.activeWindow() == w.find("Enregistrer sous")->id; }, 5000));
        desktop.type("essai");
        desktop.key(XK_Return);
        const auto stored = [&] {
            return common::IniFile::load(quorix.file("quorix.ini")).readString("FICHIER", "Quorix");
        };
        QVERIFY(QTest::qWaitFor([&] { return !w.find("Enregistrer sous") && stored() == quorix.file("essai.mux"); },
                                10000));
        QVERIFY(QFile::exists(quorix.file("essai.mux")));
        QVERIFY(w.editor());

        // Saved: "Mesure" closes it without a question, and Quorix goes on.
        desktop.click(w.mesureButton());
        QVERIFY(QTest::qWaitFor([&] { return !w.editor(); }, 10000));
        QVERIFY(w.openEditor());
        QVERIFY(!w.questionUp());
        desktop.click(w.mesureButton());
        QVERIFY(QTest::qWaitFor([&] { return !w.editor(); }, 10000));
        QVERIFY(QTest::qWaitFor([&] {
            return desktop.atoms(main->id, "_NET_WM_STATE").contains("_NET_WM_STATE_ABOVE");
        }, 5000));
        QVERIFY(!w.questionUp());
        QVERIFY(quorix.running());
    }

    void stopEndsALongArrowRun()
    {
        testsupport::MuxSimProcess sim;
        QVERIFY2(sim.start({"--model", "8", "--line", "short", "--per-command", "1", "--values", "7,8"}),
                 qPrintable(sim.errorString()));
        Quorix quorix;
        QVERIFY(quorix.start(sim.linkPath(), QStringLiteral("1000000")));
        Windows w {desktop, quorix};
        QVERIFY(w.waitForMain());

        KeyTarget target;
        target.setWindowTitle("Classeur");
        target.resize(300, 150);
        target.show();
        target.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&target));

        // "Stop" during the million arrows after the first value ends them:
        // "Lecture" comes back long before they could all have been sent.
        QVERIFY(w.looksEnabled(0) && !w.looksEnabled(1));
        desktop.click(w.button(0));
        QVERIFY(QTest::qWaitFor([&] { return w.looksEnabled(1); }, 10000));
        QVERIFY(QTest::qWaitFor([&] { return !target.entries.isEmpty() && target.entries.first().rights > 0; },
                                20000));
        desktop.click(w.button(1));
        QVERIFY2(QTest::qWaitFor([&] { return w.looksEnabled(0); }, 20000),
                 qPrintable(QString::number(target.entries.first().rights)));
        // The next "Lecture" takes the next reading.
        desktop.click(w.button(0));
        QVERIFY(QTest::qWaitFor([&] { return target.entries.size() >= 2; }, 20000));
        desktop.click(w.button(1));
        QVERIFY(QTest::qWaitFor([&] { return w.looksEnabled(0); }, 20000));

        QCOMPARE(target.entries.at(0).value, "7");
        QCOMPARE(target.entries.at(1).value, "8");
        QVERIFY2(target.entries.at(0).rights < 1000000, qPrintable(QString::number(target.entries.at(0).rights)));
        QCOMPARE(sim.log().count("@*N1\r\n"), 2);
        QVERIFY(target.isActiveWindow());
        QVERIFY(!w.questionUp());
        QVERIFY(quorix.running());
    }
};

QTEST_MAIN(TestQuorixDesktop)
#include "tst_main_desktop.moc"
