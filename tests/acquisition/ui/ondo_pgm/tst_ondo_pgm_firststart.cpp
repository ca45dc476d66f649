// Quorix started without a configuration: the example offered as a copy of
// the user's own, the editor on a new one, or a hint at "Lecture".
#include "acquisition/ui/cfg_form.h"
#include "acquisition/ui/ondo_pgm.h"
#include "acquisition/ui/quorixprogram.h"
#include "tests/support/files.h"
#include "tests/support/muxsim_process.h"
#include "tests/support/recordingkeysink.h"
#include "tests/support/widgets/messageboxanswerer.h"

#include <QAction>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

using namespace acquisition;
using common::MessageBoxAnswerer;

namespace {

const QByteArray example = testsupport::readBytes(QStringLiteral(SOURCE_DIR "/packaging/demo.mux"));

// No quorix.ini; the program's folder with the English file and, unless
// told otherwise, the example; a home folder with Documents.
struct FirstStart {
    QTemporaryDir settings;
    QTemporaryDir program;
    QTemporaryDir home;
    QString documents = home.filePath("Documents");
    QString copy = documents + "/demo.mux";

    explicit FirstStart(bool withExample = true)
    {
        testsupport::writeBytes(program.filePath("English.lng"),
                                testsupport::readBytes(QStringLiteral(SOURCE_DIR "/lang/quorix/English.lng")));
        if (withExample)
            testsupport::writeBytes(program.filePath("demo.mux"), example);
        QDir().mkpath(documents);
        qputenv("HOME", home.path().toLocal8Bit());
    }
    QString question() const
    {
        return "Quorix has no configuration yet: it says which instruments to read and where their values go.\n\n"
               "Yes: open the example, copied to "
            + documents + ".\nNo: create a new configuration.\nCancel: later, with File > Open or File > New.";
    }
};

class FirstStartTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY2(m_sim.start({"--model", "8"}), qPrintable(m_sim.errorString())); }
    void cleanup()
    {
        m_program.reset();
        m_sim.stop();
    }

    void exampleOpensInACopy()
    {
        FirstStart start;
        MessageBoxAnswerer boxes;
        boxes.answerWith("&Yes");
        run(start);

        QCOMPARE(common::boxTexts(boxes), QStringList {"Confirmation: " + start.question()});
        QCOMPARE(testsupport::readBytes(start.copy), example);
        QCOMPARE(m_program->session().fichier_config, start.copy);
        QCOMPARE(m_program->editor().instrumentCount(1), "1");
        QVERIFY(m_program->mainWindow().Configuration1->isEnabled());
    }

    // A copy made before may have been changed since: it is the user's.
    void earlierCopyIsKept()
    {
        FirstStart start;
        testsupport::writeBytes(start.copy, QByteArray(example).replace("Quorix demo", "My own demo"));
        const QByteArray changed = testsupport::readBytes(start.copy);
        MessageBoxAnswerer boxes;
        boxes.answerWith("&Yes");
        run(start);

        QCOMPARE(testsupport::readBytes(start.copy), changed);
        QCOMPARE(m_program->session().fichier_config, start.copy);
    }

    void newConfigurationOpensTheEditor()
    {
        FirstStart start;
        MessageBoxAnswerer boxes;
        boxes.answerWith("&No");
        bool editorShown = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [this, &editorShown] {
            if (m_program && m_program->editor().isVisible()) {
                editorShown = true;
                m_program->editor().done(0);
            }
        });
        watch.start(20);
        run(start);

        QTRY_VERIFY(editorShown);
        QVERIFY(!QFile::exists(start.copy));
        QVERIFY(m_program->session().fichier_config.isEmpty());
    }

    void laterLeavesAHintAtLecture()
    {
        FirstStart start;
        MessageBoxAnswerer boxes;
        boxes.answerWith("Cancel");
        run(start);
        QCOMPARE(boxes.seen().size(), 1);
        QVERIFY(!QFile::exists(start.copy));

        m_program->mainWindow().btn_read->click();
        QTRY_COMPARE(boxes.seen().size(), 2);
        QCOMPARE(boxes.seen().at(1).text,
                 "No instrument is configured.\nOpen a configuration (File > Open) or create one (File > New).");
    }

    void nothingToOfferWithoutTheExample()
    {
        FirstStart start(false);
        MessageBoxAnswerer boxes;
        run(start);
        QVERIFY(boxes.seen().isEmpty());
    }

private:
    void run(const FirstStart &start)
    {
        qputenv("MUX_PORTS", m_sim.linkPath().toLocal8Bit());
        m_program = std::make_unique<QuorixProgram>(m_keys, QuorixFolders {start.settings.path(), start.program.path()});
        QVERIFY(m_program->mainWindow().muxFound());
        m_program->mainWindow().show();
        QTRY_VERIFY(m_program->mainWindow().activated());
        QTest::qWait(100); // the start-up activation, with its question
    }

    testsupport::MuxSimProcess m_sim;
    RecordingKeySink m_keys;
    std::unique_ptr<QuorixProgram> m_program;
};

} // namespace

QTEST_MAIN(FirstStartTest)
#include "tst_ondo_pgm_firststart.moc"
