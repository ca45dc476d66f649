#include "acquisition/addedmessages.h"
#include "common/addedtexttranslator.h"
#include "common/captiontable.h"
#include "common/integertext.h"
#include "common/languagefiles.h"
#include "configtool/addedmessages.h"
#include "common/ui/helppage.h"
#include "common/ui/messages.h"
#include "common/usererror.h"
#include "tests/support/datacolumns.h"
#include "tests/support/widgets/messageboxanswerer.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QTextBrowser>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QTimer>
#include <QWidget>

#include <stdexcept>

using namespace common;

namespace {

// Each kind of box, run through one signature so the table below can drive them.
QString ask(const QString &kind, QWidget *parent, const QString &text)
{
    if (kind == "error")
        return showError(parent, text), "shown";
    if (kind == "information")
        return showInformation(parent, text), "shown";
    if (kind == "message")
        return showMessage(parent, text), "shown";
    if (kind == "question")
        return askQuestion(parent, text) ? "yes" : "no";
    if (kind == "warning")
        return askWarning(parent, text) ? "yes" : "no";
    const Answer answer = askConfirmation(parent, text);
    return answer == Answer::Yes ? "yes" : answer == Answer::No ? "no" : "cancel";
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestMessages : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QCoreApplication::setApplicationName("Quorix"); }

    void boxes_data()
    {
        testsupport::columns<QString, QString, int, QStringList, QString>("kind", "title", "icon", "buttons", "escape");
        // Each button clicked in turn, then none (Escape), with what the call returns.
        testsupport::columns<QStringList>("results");
        const QStringList ok{"OK"}, yesNo{"&Oui", "&Non"}, yesNoCancel{"&Oui", "&Non", "Annuler"};
        const QStringList shown{"shown", "shown"};
        QTest::newRow("error") << "error" << "Erreur" << int(QMessageBox::Critical) << ok << "OK"
                               << shown;
        QTest::newRow("information") << "information" << "Information"
                                     << int(QMessageBox::Information) << ok << "OK" << shown;
        QTest::newRow("message") << "message" << "Quorix" << int(QMessageBox::NoIcon) << ok
                                 << "OK" << shown;
        QTest::newRow("question") << "question" << "Information" << int(QMessageBox::Information)
                                  << yesNo << "&Non" << QStringList{"yes", "no", "no"};
        QTest::newRow("quit") << "warning" << "Avertissement" << int(QMessageBox::Warning)
                              << yesNo << "&Non" << QStringList{"yes", "no", "no"};
        QTest::newRow("save") << "confirmation" << "Confirmation" << int(QMessageBox::Question)
                              << yesNoCancel << "Annuler"
                              << QStringList{"yes", "no", "cancel", "cancel"};
    }
    void boxes()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, buttons);
        QFETCH(QString, escape);
        QFETCH(QStringList, results);
        QWidget window;
        window.show();
        // Markup from a device or a file is shown as typed.
        const QString text = "Ligne 1\r\n<b>Ligne 2</b>";
        const QStringList clicks = QStringList(buttons) << QString();
        for (qsizetype i = 0; i < clicks.size(); ++i) {
            MessageBoxAnswerer answerer;
            if (!clicks.at(i).isEmpty())
                answerer.answerWith(clicks.at(i));
            QCOMPARE(ask(kind, &window, text), results.at(i));

            QCOMPARE(answerer.seen().size(), 1);
            const MessageBoxAnswerer::Box &box = answerer.seen().at(0);
            QTEST(box.title, "title");
            QTEST(int(box.icon), "icon");
            QCOMPARE(box.text, text);
            QCOMPARE(box.textFormat, Qt::PlainText);
            QCOMPARE(box.buttons, buttons);
            QCOMPARE(box.defaultButton, buttons.first());
            QCOMPARE(box.escapeButton, escape);
            QCOMPARE(box.answer, clicks.at(i).isEmpty() ? escape : clicks.at(i));
        }
    }

    void answersFollowTheOrderOfTheBoxes()
    {
        MessageBoxAnswerer answerer;
        answerer.answerWith("&Non");
        answerer.answerWith("&Oui");
        answerer.answerWith("Ignorer"); // no such button: the safe answer
        QVERIFY(!askWarning(nullptr, "Quitter ?"));
        QVERIFY(askQuestion(nullptr, "Mettre à jour ?"));
        QCOMPARE(askConfirmation(nullptr, "Enregistrer ?"), Answer::Cancel);
        QCOMPARE(answerer.seen().size(), 3);
        QCOMPARE(answerer.seen().at(2).answer, QString("Annuler"));
    }

    void lineEndsShowAsOneBreak()
    {
        MessageBoxAnswerer answerer;
        QString shown;
        QTimer::singleShot(0, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                shown = box->text();
        });
        showError(nullptr, "Aucun multiplexeur détecté\n\rConnectez\r\nA\rB");
        QCOMPARE(shown, QString("Aucun multiplexeur détecté\nConnectez\nA\nB"));
        QCOMPARE(answerer.seen().at(0).text, QString("Aucun multiplexeur détecté\n\rConnectez\r\nA\rB"));
    }

    void runGuardedShowsTheError()
    {
        MessageBoxAnswerer answerer;
        bool ran = false;
        QVERIFY(runGuarded(nullptr, [&] { ran = true; }));
        QVERIFY(ran);
        QCOMPARE(answerer.seen().size(), 0);

        QVERIFY(!runGuarded(nullptr, [] { throw UserError::fileNotFound(); }));
        QVERIFY(!runGuarded(nullptr, [] { toInteger("12a"); }));
        QVERIFY(!runGuarded(nullptr, [] { throw std::runtime_error("disk full"); }));
        QCOMPARE(answerer.seen().size(), 3);
        for (const MessageBoxAnswerer::Box &box : answerer.seen()) {
            QCOMPARE(box.title, QString("Erreur"));
            QCOMPARE(box.buttons, QStringList{"OK"});
        }
        QCOMPARE(answerer.seen().at(0).text, QString("Fichier introuvable"));
        QCOMPARE(answerer.seen().at(1).text, QString("'12a' n'est pas une valeur entière correcte"));
        QCOMPARE(answerer.seen().at(2).text, QString("disk full"));
    }

    // Pages and their images come from the pages' folder, links
    // lead from page to page; no browser is involved.
    void helpPagesShowInTheProgram()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("1001.html"), "<html><head><title>Quorix help</title>"
                                             "<link rel=\"stylesheet\" href=\"help.css\"></head><body>"
                                             "<p>Plain <img src=\"pic.png\"> <a href=\"1002.html#fr\">Fran&ccedil;ais</a></p>"
                                             "</body></html>");
        writeFile(dir.filePath("1002.html"), "<html><head><title>Aide de Quorix</title></head>"
                                             "<body><h1 id=\"fr\">Aide</h1></body></html>");
        writeFile(dir.filePath("help.css"), "p { color: #123456; }");
        QImage picture(3, 2, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(dir.filePath("pic.png")));

        HelpWindow window(dir.filePath("1001.html"));
        QTextBrowser *browser = window.browser();
        QCOMPARE(window.windowTitle(), QString("Quorix help"));
        const QVariant image = browser->loadResource(QTextDocument::ImageResource, QUrl("pic.png"));
        QCOMPARE(QImage::fromData(image.toByteArray()).size(), QSize(3, 2));
        QTextCursor link = browser->document()->find("Fran");
        QCOMPARE(link.charFormat().anchorHref(), QString("1002.html#fr"));

        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect at = browser->cursorRect(link);
        QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, at.center());
        QCOMPARE(browser->source().adjusted(QUrl::RemoveFragment), QUrl::fromLocalFile(dir.filePath("1002.html")));
        QCOMPARE(window.windowTitle(), QString("Aide de Quorix"));

        MessageBoxAnswerer answerer;
        openHelpPage(nullptr, dir.filePath("1003.html"), {"Missing: %1"});
        QCOMPARE(boxTexts(answerer), QStringList({"Erreur: Missing: " + dir.filePath("1003.html")}));
    }

    // Each program in English: every kind of box, its buttons and the user
    // errors in English.
    void englishLeavesNoFrench_data()
    {
        testsupport::columns<QString>("program");
        QTest::newRow("quorix") << "quorix";
        QTest::newRow("setrix") << "setrix";
    }
    void englishLeavesNoFrench()
    {
        QFETCH(QString, program);
        const std::span<const AddedText *const> table = program == "quorix"
                                                            ? std::span<const AddedText *const>(acquisition::added::all)
                                                            : std::span<const AddedText *const>(configtool::added::all);
        const CaptionTable captions({}, 0, table);
        CaptionRegistry registry(captions);
        AddedTexts added(table);
        added.registerIn(registry);
        const QStringList lines = readLanguageLines(SOURCE_DIR "/lang/" + program + "/English.lng", captions.languageLines());
        registry.apply(lines);
        const AddedTextTranslator translator(added, table);

        MessageBoxAnswerer answerer;
        for (const QString kind : {"error", "information", "question", "warning", "confirmation"})
            ask(kind, nullptr, "text");
        showNotice(nullptr, "notice");
        runGuarded(nullptr, [] { throw UserError::fileNotFound(); });
        runGuarded(nullptr, [] { toInteger("12a"); });
        runGuarded(nullptr, [] { throw UserError::notAFloat("1,5,"); });
        runGuarded(nullptr, [] { throw UserError::notADate("32/01/2024"); });
        runGuarded(nullptr, [] { throw UserError::cannotOpen("/a"); });
        runGuarded(nullptr, [] { throw UserError::cannotCreate("/b"); });
        runGuarded(nullptr, [] { throw UserError::cannotWrite("/c"); });
        QStringList seen;
        for (const MessageBoxAnswerer::Box &box : answerer.seen())
            seen << box.title + ": " + box.text + " [" + box.buttons.join(" ") + "]";
        QCOMPARE(seen, QStringList({"Error: text [OK]", "Information: text [OK]", "Information: text [&Yes &No]",
                                    "Warning: text [&Yes &No]", "Confirmation: text [&Yes &No Cancel]",
                                    "Warning: notice [OK]", "Error: File not found [OK]",
                                    "Error: '12a' is not a valid integer value [OK]",
                                    "Error: '1,5,' is not a valid floating point value [OK]",
                                    "Error: '32/01/2024' is not a valid date [OK]", "Error: Cannot open file /a [OK]",
                                    "Error: Cannot create file /b [OK]", "Error: Cannot write to /c [OK]"}));
        QCOMPARE(inLanguage(texts::openTitle), QString("Open"));
        QCOMPARE(inLanguage(texts::saveAsTitle), QString("Save as"));
    }

    void errorOfferingAnAction()
    {
        MessageBoxAnswerer answerer;
        int copied = 0;
        answerer.answerWith("&Copy");
        showErrorOffering(nullptr, "No file manager", "&Copy", [&] { ++copied; });
        showErrorOffering(nullptr, "No file manager", "&Copy", [&] { ++copied; });
        QCOMPARE(copied, 1);
        QCOMPARE(answerer.seen().at(1).buttons, QStringList({"&Copy", "OK"}));
        QCOMPARE(answerer.seen().at(1).answer, QString("OK"));
    }
};

QTEST_MAIN(TestMessages)
#include "tst_messages.moc"
