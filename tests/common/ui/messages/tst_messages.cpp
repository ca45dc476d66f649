#include "common/integertext.h"
#include "common/ui/helppage.h"
#include "common/ui/messages.h"
#include "common/usererror.h"
#include "tests/support/datacolumns.h"
#include "tests/support/widgets/messageboxanswerer.h"

#include <QApplication>
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

    void helpPageOpensOrSaysWhy()
    {
        QTemporaryDir dir;
        const QString page = dir.filePath("1001.html");
        QFile file(page);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();

        MessageBoxAnswerer answerer;
        QList<QUrl> opened;
        const HelpPageTexts texts{"Missing: %1", "No browser for %1"};
        openHelpPage(nullptr, page, texts, [&](const QUrl &url) { return opened << url, true; });
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(page)});
        QCOMPARE(answerer.seen().size(), 0);

        openHelpPage(nullptr, page, texts, [](const QUrl &) { return false; });
        openHelpPage(nullptr, dir.filePath("1002.html"), texts, [&](const QUrl &url) { return opened << url, true; });
        QCOMPARE(opened.size(), 1); // a missing page is not handed to the browser
        QCOMPARE(answerer.seen().size(), 2);
        QCOMPARE(answerer.seen().at(0).title, QString("Erreur"));
        QCOMPARE(answerer.seen().at(0).text, "No browser for " + page);
        QCOMPARE(answerer.seen().at(1).text, "Missing: " + dir.filePath("1002.html"));
    }
};

QTEST_MAIN(TestMessages)
#include "tst_messages.moc"
