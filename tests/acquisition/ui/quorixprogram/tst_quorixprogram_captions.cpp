// A language file whose line N reads "L<N>", applied to Quorix's real windows:
// every target of the 40-line map shows its own line, so two swapped entries
// or registrations fail, and no control shows a line the map leaves unused.
#include "acquisition/ui/cfg_form.h"
#include "acquisition/ui/ondo_pgm.h"
#include "acquisition/ui/quorixprogram.h"
#include "acquisition/ui/radiogroup.h"
#include "common/ui/apropos.h"
#include "tests/support/files.h"
#include "tests/support/recordingkeysink.h"
#include "tests/support/widgets/messageboxanswerer.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <utility>
#include <vector>

using namespace acquisition;

namespace {

QString radioItem(const RadioGroup *group, int index)
{
    return group->findChildren<QRadioButton *>().value(index)->text();
}

// Every text a user can see in the window: title, labels, buttons, menus.
QStringList textsOf(QWidget *window)
{
    QStringList texts {window->windowTitle()};
    for (const QLabel *label : window->findChildren<QLabel *>())
        texts << label->text();
    for (const QAbstractButton *button : window->findChildren<QAbstractButton *>())
        texts << button->text();
    for (const QMenu *menu : window->findChildren<QMenu *>())
        texts << menu->title();
    for (const QAction *action : window->findChildren<QAction *>())
        texts << action->text();
    return texts;
}

} // namespace

class TestWindowCaptions : public QObject {
    Q_OBJECT
private slots:
    void everyTargetShowsItsLine()
    {
        QTemporaryDir folder;
        QByteArray lines;
        for (int n = 1; n <= 40; ++n)
            lines += "L" + QByteArray::number(n) + "\r\n";
        testsupport::writeBytes(folder.filePath("L.lng"), lines);
        qputenv("MUX_PORTS", ","); // no multiplexer: Quorix says so, its windows stay
        common::MessageBoxAnswerer boxes;
        RecordingKeySink keys;
        QuorixProgram program(keys, {folder.path(), folder.path()});
        TQuorix &m = program.mainWindow();
        Tconfig_form &e = program.editor();
        common::TAboutBox &a = program.aboutBox();
        m.FormActivate();

        using Text = std::function<QString()>;
        const std::vector<std::pair<int, Text>> targets {
            {2, [&] { return e.Label13->text(); }},
            {3, [&] { return e.Label14->text(); }},
            {4, [&] { return e.Label17->text(); }},
            {5, [&] { return e.Label18->text(); }},
            {6, [&] { return e.Label19->text(); }},
            {7, [&] { return e.Label20->text(); }},
            {8, [&] { return e.Label21->text(); }},
            {9, [&] { return e.Label24->text(); }},
            {10, [&] { return e.Label23->text(); }},
            {11, [&] { return e.Label22->text(); }},
            {12, [&] { return e.Label25->text(); }},
            {13, [&] { return radioItem(e.RadioGroup1, 0); }},
            {14, [&] { return radioItem(e.RadioGroup1, 1); }},
            {15, [&] { return radioItem(e.ModeMux, 0); }},
            {16, [&] { return radioItem(e.ModeMux, 1); }},
            {17, [&] { return e.Label1->text(); }},
            {18, [&] { return e.Label2->text(); }},
            {19, [&] { return e.Label11->text(); }},
            {20, [&] { return e.Button2->text(); }},
            {21, [&] { return e.menuLine->title(); }},
            {21, [&] { return m.menuLine->title(); }},
            {22, [&] { return e.Nouveau1->text(); }},
            {22, [&] { return m.Nouveau1->text(); }},
            {23, [&] { return e.Ouvrir1->text(); }},
            {23, [&] { return m.Ouvrir1->text(); }},
            {24, [&] { return e.Enregistrer1->text(); }},
            {26, [&] { return e.menuExit->text(); }},
            {26, [&] { return m.menuExit->text(); }},
            {26, [&] { return m.QuitterCtxt->text(); }},
            {27, [&] { return a.windowTitle(); }},
            {28, [&] { return a.label9->text(); }},
            {29, [&] { return a.Button1->text(); }},
            {30, [&] { return m.Configuration1->text(); }},
            {30, [&] { return m.ConfigurerCtxt->text(); }},
            {31, [&] { return m.MinimiserCtxt->text(); }},
            {33, [&] { return m.Langue1->title(); }},
            {34, [&] { return e.Aide1->text(); }},
            {34, [&] { return m.Aide1->text(); }},
            {35, [&] { return e.Apropos2->text(); }},
            {35, [&] { return m.Apropos2->text(); }},
        };
        for (const auto &[line, text] : targets)
            QCOMPARE(text(), QStringLiteral("L%1").arg(line));

        // The three messages, in the boxes that show them.
        m.showNoInstrument();
        QVERIFY(!m.quitter_app());
        QCOMPARE(m.enregistrer_config(), common::Answer::Cancel);
        QCOMPARE(boxes.seen().size(), 4); // after the start-up's "no multiplexer"
        // With no configuration loaded, what to do follows (this file has no line for it).
        QCOMPARE(boxes.seen().at(1).text,
                 "L36\nOuvrez une configuration (Fichier > Ouvrir) ou créez-en une (Fichier > Nouveau).");
        QCOMPARE(boxes.seen().at(2).text, "L37");
        QCOMPARE(boxes.seen().at(3).text, "L38");

        // The window captions stay; no control shows a line the map leaves unused.
        QCOMPARE(m.windowTitle(), "Quorix");
        QCOMPARE(e.windowTitle(), "Quorix");
        QStringList shown;
        for (QWidget *window : std::initializer_list<QWidget *> {&m, &e, &a})
            shown << textsOf(window);
        for (int unused : {1, 25, 32, 39, 40})
            QVERIFY2(!shown.contains(QStringLiteral("L%1").arg(unused)), qPrintable(QString::number(unused)));
    }
};

QTEST_MAIN(TestWindowCaptions)
#include "tst_quorixprogram_captions.moc"
