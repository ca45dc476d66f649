// Quorix with a typing pace slower than the readings: values wait in order,
// the window counts them, "Lecture" comes back only once the last is typed,
// and closing the program types them all before it ends.
#include "acquisition/ui/ondo_pgm.h"
#include "acquisition/ui/quorixprogram.h"
#include "tests/support/keytext.h"
#include "tests/support/memoryconfiguration.h"
#include "tests/support/muxsim_process.h"
#include "tests/support/quorixfolder.h"
#include "tests/support/recordingkeysink.h"
#include "tests/support/widgets/messageboxanswerer.h"

#include <QDir>
#include <QLabel>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>

using namespace acquisition;

namespace {

QStringList typedValues(const RecordingKeySink &keys)
{
    return keyText(keys.keys()).split(QRegularExpression("[UDLR]+"), Qt::SkipEmptyParts);
}

QStringList journalValues(const QString &folder)
{
    QStringList values;
    const QDir journal(folder);
    for (const QString &day : journal.entryList({"*.csv"}, QDir::Files, QDir::Name)) {
        QFile file(journal.filePath(day));
        if (!file.open(QIODevice::ReadOnly))
            return {"unreadable " + day};
        file.readLine(); // header
        while (!file.atEnd())
            // The reading's "V" is not typed.
            values << QString::fromUtf8(file.readLine()).trimmed().section(',', -1).remove(u'V');
    }
    return values;
}

} // namespace

class TestQuorixQueue : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        MemoryConfiguration values;
        applyMainWindowDefaults(values);
        values.setInstrumentCount(1, "1");
        // 30 ms between keys: a value of four keys and its arrow outlast a reading.
        QVERIFY(testsupport::writeQuorixStart(m_folder.path(), "atelier.mux", values,
                                              "[CLAVIER]\r\nCadence=30\r\n"));
        QVERIFY(QFile::copy(QStringLiteral(SOURCE_DIR "/lang/quorix/Francais.lng"),
                            m_folder.filePath("Francais.lng")));
        // A reading every 50 ms: faster than the keys, so values queue, but
        // not so fast that a loaded machine's late timer queues hundreds.
        QVERIFY2(m_sim.start({"--model", "8", "--values", "1.5,-2,30,-0.125", "--line", "short", "--interval", "50"}),
                 qPrintable(m_sim.errorString()));
        qputenv("MUX_PORTS", m_sim.linkPath().toLocal8Bit());
        m_program = std::make_unique<QuorixProgram>(
            m_keys, QuorixFolders {m_folder.path(), m_folder.path(), m_folder.filePath("journal")});
        m_program->mainWindow().hooks.endProgram = [this] { ++m_ends; };
        m_program->mainWindow().show();
        QTest::qWait(50);
    }
    void cleanupTestCase() { m_program.reset(); }

    // After "Stop" the values read go on being typed, counted in the window,
    // and "Lecture" waits for the last of them.
    void stopLetsTheQueueFinish()
    {
        TQuorix &w = m_program->mainWindow();
        bool readWhileWaiting = true;
        QString shown;
        readUntil(12, [&] {
            w.Stop->click();
            readWhileWaiting = w.btn_read->isEnabled();
            shown = w.waitingValues->isVisible() ? w.waitingValues->text() : QString();
        });
        QVERIFY(!readWhileWaiting);
        QVERIFY2(shown.endsWith(" en attente"), qPrintable(shown));
        QVERIFY(QTest::qWaitFor([&] { return w.btn_read->isEnabled(); }, 60000));
        QVERIFY(!w.waitingValues->isVisible());
        QCOMPARE(typedValues(m_keys), journalValues(m_folder.filePath("journal")));
    }

    // Closing with values waiting ends the program only once they are typed.
    void closingTypesWhatWaits()
    {
        TQuorix &w = m_program->mainWindow();
        const int journalled = journalValues(m_folder.filePath("journal")).size();
        common::MessageBoxAnswerer boxes;
        boxes.answerWith("&Oui"); // "Quitter ?"
        int endsAtClose = -1;
        readUntil(journalled + 12, [&] {
            w.close();
            endsAtClose = m_ends;
        });
        QCOMPARE(boxes.seen().size(), 1);
        QCOMPARE(endsAtClose, 0);
        QVERIFY(QTest::qWaitFor([&] { return m_ends == 1; }, 60000));
        QCOMPARE(typedValues(m_keys), journalValues(m_folder.filePath("journal")));
    }

private:
    // Clicks "Lecture", then calls `act` from inside the running cycle once
    // the journal holds `values` values.
    void readUntil(int values, const std::function<void()> &act)
    {
        TQuorix &w = m_program->mainWindow();
        bool acted = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, &w, [&] {
            if (!acted && journalValues(m_folder.filePath("journal")).size() >= values) {
                acted = true;
                act();
            }
        });
        watch.start(5);
        QTest::mouseClick(w.btn_read, Qt::LeftButton);
        QVERIFY(QTest::qWaitFor([&] { return acted; }, 30000));
    }

    QTemporaryDir m_folder;
    testsupport::MuxSimProcess m_sim;
    RecordingKeySink m_keys;
    std::unique_ptr<QuorixProgram> m_program;
    int m_ends = 0;
};

QTEST_MAIN(TestQuorixQueue)
#include "tst_ondo_pgm_queue.moc"
