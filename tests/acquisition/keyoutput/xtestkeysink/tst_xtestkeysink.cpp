#include "acquisition/valuekeys.h"
#include "acquisition/keyoutput/xtestkeysink.h"
#include "numlock.h"
#include "tests/support/datacolumns.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <memory>

using namespace acquisition;

// Types through the real X server into a line edit of the test's own window.
class TestXTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            QSKIP("needs an X server (run under xvfb-run)");
        m_window = std::make_unique<QWidget>();
        auto *layout = new QVBoxLayout(m_window.get());
        m_edit = new QLineEdit;
        layout->addWidget(m_edit);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        // No window manager under Xvfb: take the focus ourselves.
        m_window->activateWindow();
        m_edit->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QTRY_COMPARE(QApplication::focusWidget(), m_edit);
        m_sink = std::make_unique<XTestKeySink>();
        m_userNumLock = numLockOn();
    }
    void cleanupTestCase()
    {
        m_sink.reset();
        m_window.reset();
        if (!qEnvironmentVariableIsEmpty("DISPLAY"))
            setNumLock(m_userNumLock);
    }
    void init() { m_edit->clear(); }

    void typesValue_data()
    {
        testsupport::columns<bool, QString, QString>("numLock", "value", "shown");
        for (bool numLock : {false, true}) {
            const char *state = numLock ? "Num Lock on" : "Num Lock off";
            QTest::addRow("-12.5, %s", state) << numLock << "-12.5" << "-12.5";
            QTest::addRow("every digit and plus, %s", state) << numLock << "+0123456789" << "+0123456789";
            // The us layout's keypad decimal key types a point.
            QTest::addRow("decimal comma, %s", state) << numLock << " V1,5 mm" << "1.5";
        }
    }
    void typesValue()
    {
        QFETCH(bool, numLock);
        QFETCH(QString, value);
        QFETCH(QString, shown);
        setNumLock(numLock);
        typeValue(*m_sink, value);
        QTRY_COMPARE(m_edit->text(), shown);
        QCOMPARE(numLockOn(), numLock);
    }

    void arrowsMoveTheCaret_data()
    {
        testsupport::columns<bool>("numLock");
        QTest::newRow("Num Lock off") << false;
        QTest::newRow("Num Lock on") << true;
    }
    void arrowsMoveTheCaret()
    {
        QFETCH(bool, numLock);
        setNumLock(numLock);
        typeValue(*m_sink, "123");
        m_sink->press(Key::Left);
        m_sink->press(Key::Left);
        typeValue(*m_sink, "9");
        QTRY_COMPARE(m_edit->text(), QStringLiteral("1923"));
        for (int i = 0; i < 3; ++i)
            m_sink->press(Key::Right);
        typeValue(*m_sink, "4");
        QTRY_COMPARE(m_edit->text(), QStringLiteral("19234"));
        QCOMPARE(numLockOn(), numLock);
    }

    // A keypad key pressed on its own, outside typeValue, still types its digit.
    void singleKeypadKey()
    {
        setNumLock(false);
        m_sink->press(Key::Numpad7);
        QTRY_COMPARE(m_edit->text(), QStringLiteral("7"));
        QCOMPARE(numLockOn(), false);
    }

private:
    std::unique_ptr<QWidget> m_window;
    QLineEdit *m_edit = nullptr;
    std::unique_ptr<XTestKeySink> m_sink;
    bool m_userNumLock = false;
};

int main(int argc, char **argv)
{
    // Without a display the xcb platform cannot start; the tests then skip.
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestXTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_xtestkeysink.moc"
