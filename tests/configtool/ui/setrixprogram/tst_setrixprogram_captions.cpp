// Every place a language line goes, in Setrix's real windows: a file whose line N
// reads "L<N>" must put "L<N>" in each of them, so that two lines given to the
// wrong controls cannot pass unnoticed.
#include "common/ui/apropos.h"
#include "common/version.h"
#include "configtool/captionmap.h"
#include "configtool/ui/config_avancee.h"
#include "configtool/ui/prog_form.h"
#include "configtool/ui/prog_vtr.h"
#include "configtool/ui/setrixprogram.h"
#include "configtool/ui/typecable.h"
#include "configtool/ui/update.h"
#include "tests/support/files.h"
#include "tests/support/widgets/messageboxanswerer.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace configtool;

namespace {

// The caption table proper; lines after it carry texts of their own.
constexpr int tableLines = 84;

// One control or text a line must reach, and how to read it back.
struct Place {
    int line;
    QString target;
    std::function<QString()> shown;
};

QList<Place> places(SetrixProgram &program)
{
    TForm1 &w = program.mainWindow();
    const SetrixTexts &texts = program.services().texts;
    const SetrixDialogs &d = program.dialogs();
    const auto menu = [](QMenu *m) { return [m] { return m->title(); }; };
    const auto text = [](auto *control) { return [control] { return control->text(); }; };
    const auto title = [](QWidget *window) { return [window] { return window->windowTitle(); }; };
    const auto item = [](QComboBox *box, int i) { return [box, i] { return box->itemText(i); }; };
    QList<Place> list{
        {1, "TForm1.Fichier1", menu(w.Fichier1)},
        {2, "TForm1.Effacerlazonetampon1", text(w.Effacerlazonetampon1)},
        {3, "TForm1.Quiter1", text(w.Quiter1)},
        {4, "TForm1.Langue1", menu(w.Langue1)},
        {5, "TForm1.Aide1", text(w.Aide1)},
        {6, "TForm1.btn_connexion", text(w.btn_connexion)},
        {8, "TForm1.btn_selection", text(w.btn_selection)},
        {17, "TForm1.btn_lecture", text(w.btn_lecture)},
        {18, "TForm1.btn_snumber", text(w.btn_snumber)},
        {19, "TForm1.btn_config", text(w.btn_config)},
        {20, "AboutBox.caption", title(d.about)},
        {21, "AboutBox.Label7", text(d.about->Label7)},
        {22, "AboutBox.label9", text(d.about->label9)},
        {23, "AboutBox.Button1", text(d.about->Button1)},
        {26, "TForm2.c_parite.text", [d] { return d.form2->c_parite->currentText(); }},
        {26, "parity.0", [&texts] { return texts.parityName(0); }},
        {27, "parity.1", [&texts] { return texts.parityName(1); }},
        {28, "parity.2", [&texts] { return texts.parityName(2); }},
        {30, "TForm2.caption", title(d.form2)},
        {30, "TForm4.caption", title(d.form4)},
        {36, "TForm2.Button3", text(d.form2->Button3)},
        {37, "TForm2.Button2", text(d.form2->Button2)},
        {58, "TForm3.Button3", text(d.form3->Button3)},
        {59, "TForm3.Button2", text(d.form3->Button2)},
        {60, "TForm3.caption", title(d.form3)},
        {61, "TForm4.r_liaison", text(d.form4->r_liaison)},
        {69, "TForm6.caption", title(d.form6)},
        {69, "TForm1.Configurer1", text(w.Configurer1)},
        {72, "TForm2.Label2", text(d.form2->Label2)},
        {72, "TForm1.retrocommandes", [&w] { return w.btn_retrocommande->text() + '|' + w.retroItem(5)->text(); }},
        {73, "TForm6.Lecture", [d] { return d.form6->Lecture->title(); }},
        {74, "TForm6.GroupBox2", [d] { return d.form6->GroupBox2->title(); }},
        {75, "TForm6.GroupBox1", [d] { return d.form6->GroupBox1->title(); }},
        {76, "TForm6.Lecture.0", text(d.form6->LectureItems[0])},
        {77, "TForm6.Lecture.1", text(d.form6->LectureItems[1])},
        {78, "TForm6.Button2", text(d.form6->Button2)},
        {79, "TForm6.Button1", text(d.form6->Button1)},
        {80, "TForm2.Label3", text(d.form2->Label3)},
        {81, "TForm2.Label4", text(d.form2->Label4)},
        {82, "TForm2.Label5", text(d.form2->Label5)},
        {83, "TForm7.ComboBox1.0", item(d.form7->ComboBox1, 0)},
        {84, "TForm7.Label1", text(d.form7->Label1)},
    };
    for (int k = 1; k <= 8; ++k)
        list.append({8 + k, QStringLiteral("TForm1.inst%1").arg(k), text(w.instrumentItem(k))});
    // The controls both cable windows have, under the same names.
    for (const auto &[form, c] : {std::pair<QString, Rs232Controls *>{"TForm2", d.form2},
                                  std::pair<QString, Rs232Controls *>{"TForm4", d.form4}}) {
        const auto add = [&list, &text, form](int line, const char *name, auto *control) {
            list.append({line, form + '.' + QLatin1String(name), text(control)});
        };
        add(24, "r_vitesse", c->r_vitesse);
        add(25, "r_parite", c->r_parite);
        add(29, "r_donnees", c->r_donnees);
        add(31, "r_offset", c->r_offset);
        add(32, "r_fintrame", c->r_fintrame);
        add(33, "r_unite", c->r_unite);
        add(35, "ch_interr", c->ch_interr);
        add(36, "btn_prog", c->btn_prog);
        add(37, "btn_lire", c->btn_lire);
        for (int i = 0; i < 3; ++i)
            list.append({26 + i, form + QStringLiteral(".c_parite.%1").arg(i), item(c->c_parite, i)});
    }
    for (int line : {38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 62, 63})
        list.append({line, QStringLiteral("message.%1").arg(line), [&texts, line] { return texts.message(SetrixMessage(line)); }});
    return list;
}

} // namespace

class TestSetrixCaptions : public QObject {
    Q_OBJECT
private slots:
    void everyLineReachesItsPlaces()
    {
        QTemporaryDir start, settings;
        QByteArray numbered;
        for (int line = 1; line <= captionTable().languageLines(); ++line)
            numbered += "L" + QByteArray::number(line) + "\r\n";
        testsupport::writeBytes(start.filePath("Numbered.lng"), numbered);
        testsupport::writeBytes(start.filePath("cable.txt"),
                                QDate::currentDate().toString("dd/MM/yyyy").toLatin1() + "\r\n");
        qputenv("MUX_PORTS", "");
        common::MessageBoxAnswerer boxes;
        SetrixProgram program({settings.path(), start.path(), [] { return QDate::currentDate(); }});
        program.mainWindow().show();
        QVERIFY(QTest::qWaitFor([&] { return program.mainWindow().startupDone(); }, 30000));

        QSet<QString> checked;
        for (const Place &place : places(program)) {
            const QString expected = place.target == "TForm1.retrocommandes"
                                         ? QStringLiteral("L72|L72 5")
                                         : QStringLiteral("L%1").arg(place.line);
            QCOMPARE(place.target + ": " + place.shown(), place.target + ": " + expected);
            checked << place.target;
        }
        // Nothing of the table goes unchecked, and each check is the table's line.
        QSet<QString> mapped;
        for (const CaptionLine &e : captionMap()) {
            if (e.line > tableLines)
                continue;
            mapped << QString::fromLatin1(e.target);
        }
        QCOMPARE(checked, mapped);

        // An added line's caption; a line without the place holder still shows the version.
        QCOMPARE(program.dialogs().about->packageLine->text(),
                 QString("L%1 " SETRIX_QUORIX_VERSION).arg(added::packageLine.line));
    }
};

QTEST_MAIN(TestSetrixCaptions)
#include "tst_setrixprogram_captions.moc"
