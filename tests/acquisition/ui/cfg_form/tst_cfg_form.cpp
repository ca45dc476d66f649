#include "acquisition/captionmap.h"
#include "acquisition/ui/aboutcaptions.h"
#include "acquisition/ui/arrowspinbox.h"
#include "acquisition/ui/cfg_form.h"
#include "acquisition/ui/radiogroup.h"
#include "common/addedtexttranslator.h"
#include "common/languagefiles.h"
#include "common/ui/apropos.h"
#include "tests/support/datacolumns.h"
#include "tests/support/files.h"
#include "tests/support/instrumentfields.h"
#include "tests/support/widgets/messageboxanswerer.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QTimer>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using acquisition::Step;
using acquisition::Tconfig_form;

using testsupport::checks;
using testsupport::counts;
using testsupport::readBytes;
using testsupport::writeBytes;

namespace {

// An addressed-mode file of 25 lines in Windows-1252.
const QByteArray kAddressedFile = testsupport::fixture(QStringLiteral("editor-addressed.mux"));

} // namespace

class TestConfigEditor : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    acquisition::ConfigurationSession m_session;
    acquisition::QuorixMessages m_messages = acquisition::QuorixMessages::builtIn();
    std::unique_ptr<Tconfig_form> m_editor;
    QString m_openPath, m_savePath;
    int m_saved = 0;
    int m_ended = 0;

    QString path(const QString &name) const { return m_dir->filePath(name); }
    common::SettingsFile settings() const { return common::SettingsFile(QStringLiteral("quorix.ini"), m_dir->path()); }
    QString storedConfiguration() const { return settings().Lire_chaine_ini(QStringLiteral("FICHIER"), QStringLiteral("Quorix")); }

    // Opens bytes written to a file through "&Ouvrir".
    void open(const QByteArray &bytes, const QString &name = QStringLiteral("in.mux"))
    {
        writeBytes(path(name), bytes);
        m_openPath = path(name);
        m_editor->Ouvrir1->trigger();
    }

    void saveAs(const QString &name)
    {
        m_savePath = name.isEmpty() ? QString() : path(name);
        m_editor->Enregistrer1->trigger();
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_session = {};
        m_messages = acquisition::QuorixMessages::builtIn();
        m_saved = m_ended = 0;
        m_editor = std::make_unique<Tconfig_form>(m_session, m_messages, settings());
        m_editor->hooks.chooseOpenPath = [this] { return m_openPath; };
        m_editor->hooks.chooseSavePath = [this] { return m_savePath; };
        m_editor->hooks.configurationSaved = [this] { ++m_saved; };
        m_editor->hooks.endProgram = [this] { ++m_ended; };
        m_editor->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_editor.get()));
    }

    void cleanup() { m_editor.reset(); }

    void opensAndSavesEveryLineBack()
    {
        open(kAddressedFile);
        QCOMPARE(m_session.fichier_config, path("in.mux"));
        QVERIFY(!m_session.config_modifiee);
        QCOMPARE(m_editor->Edit16->text(), QStringLiteral("-1"));
        QCOMPARE(m_editor->lot_horiz->text(), QStringLiteral("$1"));
        QCOMPARE(m_editor->taille_prelev->value(), 5);
        QCOMPARE(counts(*m_editor), QStringList({"3", "", "1", "", "", "", "", "2"}));
        QCOMPARE(m_editor->Edit7->text(), QStringLiteral("2")); // instrument 8
        QVERIFY(m_editor->lot_vert->isEnabled());

        saveAs(QStringLiteral("out.mux"));
        QCOMPARE(readBytes(path("out.mux")), kAddressedFile);
        QCOMPARE(m_session.fichier_config, path("out.mux"));
        QCOMPARE(storedConfiguration(), path("out.mux"));
        QCOMPARE(settings().readInteger(QStringLiteral("GENERAL"), QStringLiteral("Demo"), -1), 0);
        QCOMPARE(m_saved, 1);
    }

    void freshEditorSavesTwentyLines()
    {
        m_editor->Nouveau1->trigger();
        QVERIFY(m_session.config_modifiee);
        saveAs(QStringLiteral("new.mux"));
        QCOMPARE(readBytes(path("new.mux")), testsupport::fixture(QStringLiteral("editor-new.saved.mux")));
        QVERIFY(!m_session.config_modifiee);
    }

    void newResetsToTheEditorDefaults()
    {
        open("x\n4\n4\n4\n4\n4\n4\n9\n1\n1\n0\n1\n1\n0\n0\n0\n0\n1\n");
        QCOMPARE(checks(*m_editor), QStringLiteral(".xx....x"));

        m_editor->Nouveau1->trigger();
        QVERIFY(m_session.config_modifiee);
        for (QLineEdit *edit : {m_editor->Edit11, m_editor->Edit12, m_editor->Edit16, m_editor->Edit15,
                                m_editor->lot_vert, m_editor->lot_horiz})
            QCOMPARE(edit->text(), QString());
        QCOMPARE(m_editor->taille_prelev->value(), 2);
        QVERIFY(!m_editor->lot_vert->isEnabled());
        QVERIFY(!m_editor->taille_prelev->isEnabled());
        QVERIFY(!m_editor->Label25->isEnabled());
        QVERIFY(m_editor->Edit2->isVisible());
        QVERIFY(m_editor->Label3->isVisible());
        QVERIFY(!m_editor->CheckBox1->isVisible());
        QCOMPARE(checks(*m_editor), QStringLiteral("x......."));
        QCOMPARE(counts(*m_editor), QStringList(8));
    }

    void everyChangeSetsTheMark()
    {
        open(kAddressedFile);
        QTest::keyClicks(m_editor->Edit5, QStringLiteral("4"));
        QVERIFY(m_session.config_modifiee);
        QTest::keyClick(m_editor->Edit5, Qt::Key_Return);
        QVERIFY(m_editor->isVisible());

        open(kAddressedFile);
        m_editor->taille_prelev->stepUp();
        QVERIFY(m_session.config_modifiee);

        open(kAddressedFile);
        m_editor->setStep(Step::PerValueVertical, QStringLiteral("1"));
        QVERIFY(m_session.config_modifiee);

        open(kAddressedFile);
        m_editor->CheckBox6->setChecked(true);
        QVERIFY(m_session.config_modifiee);

        // Typing into the batch size is refused.
        open(kAddressedFile);
        QTest::keyClicks(m_editor->taille_prelev, QStringLiteral("9"));
        QCOMPARE(m_editor->taille_prelev->value(), 5);
        QVERIFY(!m_session.config_modifiee);
    }

    void modeSwitchesKeepTheHiddenValues()
    {
        open(kAddressedFile);
        m_editor->findChildren<QRadioButton *>().at(3)->click(); // "Mode multiple"
        QCOMPARE(m_editor->multiplexerMode(), acquisition::kMultipleMode);
        QVERIFY(m_editor->CheckBox1->isVisible());
        QVERIFY(!m_editor->Edit2->isVisible());
        QVERIFY(!m_editor->Label2->isVisible());
        QVERIFY(m_editor->Label1->isVisible());
        QVERIFY(m_session.config_modifiee);

        saveAs(QStringLiteral("multiple.mux"));
        const QList<QByteArray> lines = readBytes(path("multiple.mux")).split('\n');
        QCOMPARE(lines.mid(9, 9), QList<QByteArray>({"1\r", "0\r", "0\r", "0\r", "0\r", "0\r", "0\r", "0\r", "0\r"}));

        m_editor->findChildren<QRadioButton *>().at(2)->click(); // "Mode adressé"
        QVERIFY(m_editor->Edit2->isVisible());
        QVERIFY(!m_editor->CheckBox1->isVisible());
        QCOMPARE(counts(*m_editor), QStringList({"3", "", "1", "", "", "", "", "2"}));

        m_editor->findChildren<QRadioButton *>().at(0)->click(); // "Mesure en continu"
        QVERIFY(!m_editor->lot_horiz->isEnabled());
        QCOMPARE(m_editor->lot_horiz->text(), QStringLiteral("$1"));
    }

    void modesOutsideTheItemsSelectNone()
    {
        open("\n\n\n\n\n\n\n3\n-5\n7\n0\n");
        QCOMPARE(m_editor->measurementMode(), acquisition::kNoMode);
        QCOMPARE(m_editor->multiplexerMode(), acquisition::kMultipleMode);
        for (QRadioButton *item : m_editor->RadioGroup1->findChildren<QRadioButton *>())
            QVERIFY(!item->isChecked());
        QVERIFY(m_editor->lot_vert->isEnabled());
        QCOMPARE(checks(*m_editor), QStringLiteral(".xxxxxxx"));
    }

    void measureRightAfterOpenClosesWithoutQuestion()
    {
        common::MessageBoxAnswerer boxes;
        open(kAddressedFile);
        m_editor->Button2->click();
        QVERIFY(boxes.seen().isEmpty());
        QVERIFY(!m_editor->isVisible());
    }

    void measureWithChangesAsksToSave_data()
    {
        testsupport::columns<QString, bool, bool>("answer", "staysOpen", "saved");
        QTest::newRow("yes") << "&Oui" << true << true;
        QTest::newRow("no") << "&Non" << false << false;
        QTest::newRow("cancel") << "Annuler" << true << false;
    }
    void measureWithChangesAsksToSave()
    {
        QFETCH(QString, answer);
        QFETCH(bool, staysOpen);
        QFETCH(bool, saved);
        open(kAddressedFile);
        m_editor->Edit3->setText(QStringLiteral("7"));
        m_savePath = path("answer.mux");

        common::MessageBoxAnswerer boxes;
        boxes.answerWith(answer);
        m_editor->Button2->click();
        QCOMPARE(boxes.seen().size(), 1);
        QCOMPARE(boxes.seen().at(0).title, QStringLiteral("Confirmation"));
        QCOMPARE(boxes.seen().at(0).text, m_messages.msg_enregistrer);
        QCOMPARE(m_editor->isVisible(), staysOpen);
        QCOMPARE(QFile::exists(path("answer.mux")), saved);
        QCOMPARE(m_session.config_modifiee, !saved);
    }

    void cancelledSaveWritesNothingAndClearsTheMark()
    {
        open(kAddressedFile);
        settings().Ecrire_chaine_ini(QStringLiteral("FICHIER"), QStringLiteral("Quorix"), QStringLiteral("old.mux"));
        const QByteArray ini = readBytes(settings().path());
        m_editor->Edit11->setText(QStringLiteral("3"));

        saveAs(QString());
        QCOMPARE(m_session.fichier_config, path("in.mux"));
        QCOMPARE(readBytes(settings().path()), ini);
        QCOMPARE(readBytes(path("in.mux")), kAddressedFile);
        QCOMPARE(m_saved, 0);
        QVERIFY(!m_session.config_modifiee);

        common::MessageBoxAnswerer boxes;
        m_editor->Button2->click();
        QVERIFY(boxes.seen().isEmpty());
        QVERIFY(!m_editor->isVisible());
    }

    // In English: the quit question, a failed save, the file dialogs.
    void englishBoxesAndDialogs()
    {
        common::CaptionRegistry targets(acquisition::captionTable());
        m_messages.added.registerIn(targets);
        targets.apply(common::readLanguageLines(QStringLiteral(SOURCE_DIR "/lang/quorix/English.lng"),
                                                acquisition::captionTable().languageLines()));
        const common::AddedTextTranslator translator(m_messages.added, acquisition::added::all);

        open(kAddressedFile);
        m_editor->Edit11->setText(QStringLiteral("3"));
        common::MessageBoxAnswerer boxes;
        saveAs(QStringLiteral("missing/out.mux"));
        m_editor->menuExit->trigger();
        QCOMPARE(common::boxTexts(boxes), QStringList({"Error: Cannot create file " + path("missing/out.mux"),
                                                       "Warning: " + m_messages.msg_quitter}));
        QCOMPARE(boxes.seen().at(1).buttons, QStringList({"&Yes", "&No"}));

        // The dialogs as the editor makes them, closed as soon as they show.
        Tconfig_form editor(m_session, m_messages, settings());
        QStringList dialogs;
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&] {
            if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
                dialogs << dialog->windowTitle() + ": " + dialog->nameFilters().join(u';');
                dialog->reject();
            }
        });
        closer.start(20);
        QVERIFY(editor.hooks.chooseOpenPath().isEmpty());
        QVERIFY(editor.hooks.chooseSavePath().isEmpty());
        QCOMPARE(dialogs, QStringList({"Open: File for Tessal (*.mux)", "Save as: File for Tessal (*.mux)"}));
    }

    void failedSaveKeepsTheMarkAndTheSettings()
    {
        open(kAddressedFile);
        m_editor->Edit11->setText(QStringLiteral("3"));
        common::MessageBoxAnswerer boxes;
        saveAs(QStringLiteral("missing/out.mux"));

        QCOMPARE(boxes.seen().size(), 1);
        QCOMPARE(boxes.seen().at(0).title, QStringLiteral("Erreur"));
        QCOMPARE(boxes.seen().at(0).text, QStringLiteral("Impossible de créer le fichier ") + path("missing/out.mux"));
        QVERIFY(m_session.config_modifiee);
        QCOMPARE(m_session.fichier_config, path("in.mux"));
        QVERIFY(!QFile::exists(settings().path()));
        QVERIFY(m_editor->isVisible());
    }

    void failedOpensAreShownAndKeepTheEditorOpen()
    {
        open(kAddressedFile);
        common::MessageBoxAnswerer boxes;

        m_openPath = path("absent.mux");
        m_editor->Ouvrir1->trigger();
        QCOMPARE(boxes.seen().size(), 1);
        QCOMPARE(boxes.seen().at(0).text, QStringLiteral("Impossible d'ouvrir le fichier ") + path("absent.mux"));
        QCOMPARE(m_session.fichier_config, path("in.mux"));
        QCOMPARE(m_editor->Edit16->text(), QStringLiteral("-1"));
        QVERIFY(!m_session.config_modifiee);

        open("\n9\n9\n9\n9\n9\n9\nbeaucoup\n", QStringLiteral("bad.mux"));
        QCOMPARE(boxes.seen().size(), 2);
        QCOMPARE(boxes.seen().at(1).text, QStringLiteral("'beaucoup' n'est pas une valeur entière correcte"));
        QCOMPARE(m_session.fichier_config, path("bad.mux"));
        QCOMPARE(m_editor->Edit16->text(), QStringLiteral("9"));
        QCOMPARE(m_editor->taille_prelev->value(), 5);
        QVERIFY(m_session.config_modifiee);
        QVERIFY(m_editor->isVisible());
    }

    void quitAsksThenEndsTheProgram()
    {
        m_editor->Edit11->setText(QStringLiteral("3"));
        common::MessageBoxAnswerer boxes;
        boxes.answerWith(QStringLiteral("&Non"));
        m_editor->menuExit->trigger();
        QCOMPARE(m_ended, 0);

        boxes.answerWith(QStringLiteral("&Oui"));
        m_editor->menuExit->trigger();
        QCOMPARE(m_ended, 1);
        QCOMPARE(boxes.seen().size(), 2);
        QCOMPARE(boxes.seen().at(1).title, QStringLiteral("Avertissement"));
        QCOMPARE(boxes.seen().at(1).text, m_messages.msg_quitter);
        QVERIFY(!QFile::exists(settings().path()));
    }

    void closeBoxClosesWithoutQuestion()
    {
        m_editor->Edit11->setText(QStringLiteral("3"));
        common::MessageBoxAnswerer boxes;
        QVERIFY(m_editor->close());
        QVERIFY(boxes.seen().isEmpty());
    }

    void languageFileSetsTheCaptions()
    {
        common::CaptionRegistry targets(acquisition::captionTable());
        m_editor->registerCaptions(targets);
        common::TAboutBox about(common::AboutProgram::quorix());
        acquisition::registerAboutBoxCaptions(targets, about);
        targets.apply(common::readLanguageLines(QStringLiteral(SOURCE_DIR "/lang/quorix/English.lng"),
                                                acquisition::kCaptionLineCount));
        QCOMPARE(m_editor->Button2->text(), QStringLiteral("Measure"));
        QCOMPARE(m_editor->menuLine->title(), QStringLiteral("&File"));
        QCOMPARE(m_editor->Enregistrer1->text(), QStringLiteral("&Save"));
        QCOMPARE(m_editor->Apropos2->text(), QStringLiteral("&About"));
        QCOMPARE(m_editor->Label25->text(), QStringLiteral("Batch size"));
        QCOMPARE(m_editor->findChildren<QRadioButton *>().at(3)->text(), QStringLiteral("Multiple mode"));
        QCOMPARE(m_editor->windowTitle(), QStringLiteral("Quorix"));
        QCOMPARE(about.windowTitle(), QStringLiteral("About Quorix"));
        QCOMPARE(about.Button1->text(), QStringLiteral("&Technical support"));
        for (const auto &entry : acquisition::captionMap()) {
            const QString name = QString::fromLatin1(entry.target);
            if (name.startsWith(u"Label") || name.contains(u'[') || name == u"Enregistrer1")
                QVERIFY2(targets.has(name), qPrintable(name));
        }
    }
};

QTEST_MAIN(TestConfigEditor)
#include "tst_cfg_form.moc"
