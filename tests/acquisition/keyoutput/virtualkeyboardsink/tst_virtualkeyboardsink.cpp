// The virtual-keyboard sink under a real compositor (headless sway), typing
// into a native Wayland window: every key arrives, in order and exact,
// whatever the Num Lock of the user's own keyboard.
#include "acquisition/cursor.h"
#include "acquisition/cycle.h"
#include "acquisition/keyoutput/keytable.h"
#include "acquisition/keyoutput/quorixkeymap.h"
#include "acquisition/valuekeys.h"
#include "acquisition/keyoutput/virtualkeyboardsink.h"
#include "link/acquisitionlink.h"
#include "link/eventpump.h"
#include "link/wsc.h"
#include "tests/support/datacolumns.h"
#include "tests/support/keytargetprocess.h"
#include "tests/support/memoryconfiguration.h"
#include "tests/support/muxsim_process.h"
#include "tests/support/swaysession.h"
#include "userkeyboard.h"

#include <QTest>
#include <QTimer>

#include <xkbcommon/xkbcommon.h>

#include <memory>
#include <optional>

using namespace acquisition;
using namespace testsupport;

namespace {

// The symbol each key must type, in the order of Key.
constexpr const char *kKeysymNames[keyCount] = {
    "KP_0", "KP_1", "KP_2", "KP_3", "KP_4", "KP_5", "KP_6", "KP_7", "KP_8", "KP_9",
    "KP_Decimal", "KP_Subtract", "KP_Add", "Up", "Down", "Left", "Right",
};

// The events as one text: value characters as themselves, arrows as U D L R.
// An event that is not half of a clean press-release pair of a key the
// program types, with the keypad symbol and its text, reads as '?'.
QString transcript(const QList<ReceivedKey> &events)
{
    QString text;
    for (qsizetype i = 0; i < events.size(); i += 2) {
        const ReceivedKey &down = events[i];
        const ReceivedKey up = i + 1 < events.size() ? events[i + 1] : ReceivedKey {};
        QChar c = u'?';
        const unsigned s = down.keysym;
        if (s >= XKB_KEY_KP_0 && s <= XKB_KEY_KP_9)
            c = QChar(u'0' + (s - XKB_KEY_KP_0));
        else if (s == XKB_KEY_KP_Decimal)
            c = u'.';
        else if (s == XKB_KEY_KP_Subtract)
            c = u'-';
        else if (s == XKB_KEY_KP_Add)
            c = u'+';
        const bool arrow = s == XKB_KEY_Up || s == XKB_KEY_Down || s == XKB_KEY_Left || s == XKB_KEY_Right;
        if (arrow)
            c = QChar(u"LURD"[s - XKB_KEY_Left]);
        const QString expectedText = arrow ? QString() : QString(c);
        const bool clean = down.press && !up.press && up.keysym == s && !down.repeat && !up.repeat
            && down.text == expectedText && up.text == expectedText;
        text += clean ? c : QChar(u'?');
    }
    return text;
}

// Asks the cycle to end after a number of complete series.
class SeriesCounter : public CycleView {
public:
    explicit SeriesCounter(int series) : m_left(series) {}
    AcquisitionCycle *cycle = nullptr;
    QStringList errors;

    void setCommands(const CommandState &state) override
    {
        // Each end of series enables "Reprise".
        if (state.repeat && --m_left == 0)
            cycle->requestStop();
    }
    void setTimerEnabled(bool) override {}
    void setValueHolder(const QString &) override {}
    void showNoInstrument() override { errors << QStringLiteral("no instrument"); }
    void showError(const QString &text) override { errors << text; }
    void showTypingFailure(const acquisition::CannotType &failure) override { errors << failure.text(); }
    void showDeviceLost() override { errors << QStringLiteral("device lost"); }

private:
    int m_left;
};

// A compositor and a target window with the keyboard focus; with a user's
// keyboard on the seat before the window comes, as on a desktop, or without
// any so that the program's keyboard is the seat's first.
struct Desktop {
    bool start(const QStringList &config = {}, std::optional<bool> userNumLock = {})
    {
        if (!sway.start(config)) {
            error = sway.errorString();
            return false;
        }
        sway.useInThisProcess();
        if (userNumLock)
            user = std::make_unique<UserKeyboard>(*userNumLock);
        if (!target.start(sway.clientEnvironment())) {
            error = target.errorString() + QStringLiteral("\n") + QString::fromLocal8Bit(sway.log());
            return false;
        }
        return true;
    }
    SwaySession sway;
    std::unique_ptr<UserKeyboard> user;
    KeyTargetProcess target;
    QString error;
};

} // namespace

class TestVirtualKeyboard : public QObject {
    Q_OBJECT
private slots:
    // Every key the program types has its symbol on one level, so no
    // modifier, Num Lock included, changes it.
    void keymapHoldsExactlyTheTypedKeys()
    {
        const QByteArray text = quorixKeymap();
        QCOMPARE(text.back(), '\0');
        xkb_context *context = xkb_context_new(XKB_CONTEXT_NO_DEFAULT_INCLUDES);
        xkb_keymap *keymap = xkb_keymap_new_from_string(context, text.constData(), XKB_KEYMAP_FORMAT_TEXT_V1,
                                                        XKB_KEYMAP_COMPILE_NO_FLAGS);
        QVERIFY(keymap);
        const auto free = qScopeGuard([&] {
            xkb_keymap_unref(keymap);
            xkb_context_unref(context);
        });
        int keysWithSymbols = 0;
        for (xkb_keycode_t code = xkb_keymap_min_keycode(keymap); code <= xkb_keymap_max_keycode(keymap); ++code)
            keysWithSymbols += xkb_keymap_num_layouts_for_key(keymap, code) > 0 ? 1 : 0;
        QCOMPARE(keysWithSymbols, keyCount);
        for (bool numLock : {false, true}) {
            xkb_state *state = xkb_state_new(keymap);
            const xkb_mod_index_t num = xkb_keymap_mod_get_index(keymap, XKB_MOD_NAME_NUM);
            xkb_state_update_mask(state, 0, 0, numLock ? 1u << num : 0, 0, 0, 0);
            for (int i = 0; i < keyCount; ++i) {
                const Key key = static_cast<Key>(i);
                const xkb_keysym_t sym = xkb_state_key_get_one_sym(state, keyRow(key).evdev + 8);
                QCOMPARE(sym, xkb_keysym_from_name(kKeysymNames[i], XKB_KEYSYM_NO_FLAGS));
            }
            xkb_state_unref(state);
        }
    }

    void noCompositorIsAClearError()
    {
        const QByteArray saved = qgetenv("WAYLAND_DISPLAY");
        const auto restore = qScopeGuard([&] { qputenv("WAYLAND_DISPLAY", saved); });
        qputenv("WAYLAND_DISPLAY", "/nonexistent/wayland-7");
        try {
            VirtualKeyboardSink sink;
            QFAIL("a sink was made without a compositor");
        } catch (const common::UserError &e) {
            QCOMPARE(e.text(), QStringLiteral("Impossible de taper les valeurs au clavier : "
                                              "affichage Wayland « /nonexistent/wayland-7 » inaccessible"));
        }
    }

    // A whole addressed-mode series of two instruments with batch steps, from
    // the simulator through the cycle into the window. The user's keyboard
    // keeps its Num Lock as it was.
    void typesSeriesWithBatchSteps_data()
    {
        columns<bool>("numLock");
        QTest::newRow("Num Lock off") << false;
        QTest::newRow("Num Lock on") << true;
    }
    void typesSeriesWithBatchSteps()
    {
        QFETCH(bool, numLock);
        if (!SwaySession::installed())
            QSKIP("sway is not installed (scripts/setup installs it)");
        Desktop desktop;
        const QString numLockSetting = numLock ? QStringLiteral("enabled") : QStringLiteral("disabled");
        QVERIFY2(desktop.start({QStringLiteral("input type:keyboard xkb_numlock ") + numLockSetting}, numLock),
                 qPrintable(desktop.error));
        UserKeyboard &user = *desktop.user;
        const ReceivedKey userKey {true, numLock ? unsigned(XKB_KEY_KP_1) : unsigned(XKB_KEY_KP_End), 0,
                                   numLock ? QStringLiteral("1") : QString(), false};
        user.press(kKeypad1);
        QVERIFY(desktop.target.waitForEvents(2, 5000));
        QCOMPARE(desktop.target.events().first().keysym, userKey.keysym);
        QCOMPARE(desktop.target.events().first().text, userKey.text);
        desktop.target.clear();

        MuxSimProcess sim;
        QVERIFY2(sim.start({"--model", "8", "--line", "short", "--per-command", "2", "--values",
                            "1.5,-2,30,4.25,+5,-0.125,0,98765"}),
                 qPrintable(sim.errorString()));
        muxlink::SteadyClock clock;
        muxlink::QtEventPump pump;
        muxlink::Wsc ports {muxlink::PortMap({sim.linkPath()})};
        muxlink::AcquisitionLink link {ports, pump, clock};
        QVERIFY(link.openPort(0));
        MemoryConfiguration config;
        config.setMultiplexerMode(kAddressedMode);
        config.setInstrumentCount(1, QStringLiteral("2"));
        config.setInstrumentCount(3, QStringLiteral("2"));
        config.setMeasurementMode(kBatchMeasurement);
        config.setBatchSize(2);
        config.setStep(Step::PerValueHorizontal, QStringLiteral("1"));
        config.setStep(Step::PerValueVertical, QStringLiteral("0"));
        config.setStep(Step::NextSeriesHorizontal, QStringLiteral("0"));
        config.setStep(Step::NextSeriesVertical, QStringLiteral("1"));
        config.setStep(Step::NextBatchHorizontal, QStringLiteral("-1"));
        config.setStep(Step::NextBatchVertical, QStringLiteral("2"));

        {
            VirtualKeyboardSink keys;
            Cursor cursor(config, keys);
            SeriesCounter view(3);
            AcquisitionCycle cycle(link, pump, config, cursor, view);
            view.cycle = &cycle;
            bool tooLong = false;
            QTimer watchdog;
            watchdog.setSingleShot(true);
            QObject::connect(&watchdog, &QTimer::timeout, [&] {
                tooLong = true;
                cycle.stop();
            });
            watchdog.start(20000);
            cycle.start();
            cycle.run();
            QCOMPARE(view.errors, QStringList());
            QVERIFY(!tooLong);
        }
        const QString expected = QStringLiteral("1.5R-2R30R4.25RLLLLD"          // series 1, next series
                                                "+5R-0.125R0R98765RLLLLLDD"     // series 2 ends the batch
                                                "1.5R-2R30R4.25RLLLLD");        // first series of batch 2
        QVERIFY(desktop.target.waitForEvents(2 * int(expected.size()), 10000));
        QCOMPARE(transcript(desktop.target.events()), expected);
        QCOMPARE(desktop.target.events().size(), 2 * expected.size());

        // The user's keyboard types as before.
        desktop.target.clear();
        user.press(kKeypad1);
        QVERIFY(desktop.target.waitForEvents(2, 5000));
        QCOMPARE(desktop.target.events().first().keysym, userKey.keysym);
        QCOMPARE(desktop.target.events().first().text, userKey.text);
    }

    // A fresh keyboard's first key and the last key before it goes are kept,
    // even on a seat that had no keyboard before.
    void fiveHundredValuesInARow()
    {
        if (!SwaySession::installed())
            QSKIP("sway is not installed (scripts/setup installs it)");
        Desktop desktop;
        QVERIFY2(desktop.start(), qPrintable(desktop.error));
        QString expected;
        {
            VirtualKeyboardSink keys;
            for (int i = 0; i < 500; ++i) {
                const QString value = QStringLiteral("%1%2.%3").arg(i % 3 == 0 ? "-" : i % 3 == 1 ? "+" : "")
                                          .arg(i).arg(i % 10);
                typeValue(keys, value);
                keys.press(Key::Down);
                expected += value + u'D';
            }
        }
        QVERIFY(desktop.target.waitForEvents(2 * int(expected.size()), 20000));
        QCOMPARE(transcript(desktop.target.events()), expected);
    }

    // A compositor that goes away mid-run is a message, not a crash.
    void lostCompositorIsReported()
    {
        if (!SwaySession::installed())
            QSKIP("sway is not installed (scripts/setup installs it)");
        Desktop desktop;
        QVERIFY2(desktop.start(), qPrintable(desktop.error));
        VirtualKeyboardSink keys;
        typeValue(keys, QStringLiteral("1"));
        desktop.target.stop();
        desktop.sway.stop();
        try {
            for (int i = 0; i < 100; ++i)
                typeValue(keys, QStringLiteral("2"));
            QFAIL("keys went to a compositor that is gone");
        } catch (const common::UserError &e) {
            QCOMPARE(e.text(), QStringLiteral("Impossible de taper les valeurs au clavier : "
                                              "la connexion au compositeur Wayland est perdue"));
        }
    }
};

QTEST_GUILESS_MAIN(TestVirtualKeyboard)
#include "tst_virtualkeyboardsink.moc"
