// The line map, the message texts, the retro-command captions and the shipped language files.
#include "common/languagefiles.h"
#include "common/textcodec.h"
#include "common/usererror.h"
#include "configtool/captionmap.h"
#include "configtool/retrocaptions.h"
#include "configtool/setrixtexts.h"
#include "tests/support/datacolumns.h"

#include <QFile>
#include <QTest>

using namespace configtool;

namespace {

const QString langDir = QStringLiteral(SOURCE_DIR "/lang/setrix/");

QStringList numbered(int count)
{
    QStringList lines;
    for (int line = 1; line <= count; ++line)
        lines << QStringLiteral("L%1").arg(line);
    return lines;
}

} // namespace

class TestLanguages : public QObject {
    Q_OBJECT
private slots:
    void registryAppliesLinesToRegisteredTargets()
    {
        CaptionRegistry registry(captionTable());
        QStringList log;
        QVERIFY(registry.add(QStringLiteral("TForm1.btn_connexion"), [&](const QString &t) { log << "6:" + t; }));
        QVERIFY(registry.addWithBuiltIn(QStringLiteral("TForm4.caption"), [&](const QString &t) { log << "30:" + t; }));
        QCOMPARE(log, QStringList({"30:Programmation câble Vantor"}));
        log.clear();
        QVERIFY(registry.add(QStringLiteral("TForm1.retrocommandes"), [&](const QString &t) { log << "72:" + t; }));
        QVERIFY(!registry.add(QStringLiteral("TForm1.btn_connection"), [](const QString &) {}));
        QVERIFY(!registry.has(QStringLiteral("TForm1.btn_connection")));

        registry.apply(numbered(languageLineCount));
        QCOMPARE(log, QStringList({"6:L6", "30:L30", "72:L72"}));

        // A short file empties everything after its last line.
        log.clear();
        registry.apply(numbered(40));
        QCOMPARE(log, QStringList({"6:L6", "30:L30", "72:"}));
    }

    void messageTexts()
    {
        SetrixTexts texts;
        CaptionRegistry registry(captionTable());
        texts.registerTargets(registry);
        QVERIFY(texts.message(SetrixMessage::noMultiplexer).isEmpty());
        QCOMPARE(texts.parityName(1), QStringLiteral("PAIRE"));

        registry.apply(numbered(languageLineCount));
        QCOMPARE(texts.message(SetrixMessage::askReplaceList), QStringLiteral("L57"));
        QCOMPARE(texts.message(SetrixMessage::notProgrammable), QStringLiteral("L62"));
        QCOMPARE(texts.parityName(2), QStringLiteral("L28"));
        QCOMPARE(texts.noMultiplexer(), QStringLiteral("L38\n\rL39"));
        QCOMPARE(texts.instrumentChosen(3), QStringLiteral("L423L43"));
        QCOMPARE(texts.updateQuestion(), QStringLiteral("L54\r\nL55"));
        QCOMPARE(texts.replaceWithOlderQuestion(), QStringLiteral("L56\r\nL57"));
        QCOMPARE(texts.notProgrammable("AT 51000"), QStringLiteral("L62\r\nAT 51000"));

        registry.apply(numbered(40));
        QCOMPARE(texts.message(SetrixMessage::checkCableAndConnect), QStringLiteral("L39"));
        QVERIFY(texts.message(SetrixMessage::multiplexerModelPrefix).isEmpty());
    }

    void retroCaptions()
    {
        RetroCaptions retro;
        QCOMPARE(retro.caption(0), QStringLiteral("Rétrocommande 0"));
        retro.setCaption(2, QStringLiteral("Zéro"));
        retro.applyGeneric(QStringLiteral("Retro"));
        QCOMPARE(retro.caption(2), QStringLiteral("Zéro"));
        QCOMPARE(retro.caption(9), QStringLiteral("Retro 9"));

        // Filled once, a generic caption stays through later languages...
        retro.applyGeneric(QStringLiteral("Rück"));
        QCOMPARE(retro.caption(9), QStringLiteral("Retro 9"));
        QCOMPARE(retro.caption(2), QStringLiteral("Zéro"));
        // ...until the user empties it; it shows the current generic caption meanwhile.
        retro.setCaption(9, QString());
        QCOMPARE(retro.caption(9), QStringLiteral("Rück 9"));
        retro.applyGeneric(QStringLiteral("Retour"));
        QCOMPARE(retro.caption(9), QStringLiteral("Retour 9"));
    }

    void shippedFiles_data()
    {
        testsupport::columns<QString>("name");
        QTest::newRow("Francais") << "Francais";
        QTest::newRow("English") << "English";
    }

    // Windows-1252 with CR LF, the 84 lines of the map then one per added
    // message, every message line filled.
    void shippedFiles()
    {
        QFETCH(QString, name);
        const int languageLines = captionTable().languageLines();
        QFile file(langDir + name + ".lng");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.count("\r\n"), languageLines);
        QCOMPARE(bytes.count('\n'), languageLines);
        QVERIFY(bytes.endsWith("\r\n"));
        QVERIFY(!QString::fromUtf8(bytes).toUtf8().startsWith(bytes)); // not UTF-8

        const QStringList lines = common::readLanguageLines(file.fileName(), languageLines);
        for (const CaptionLine &e : captionMap()) {
            if (QLatin1String(e.target).startsWith(QLatin1String("message.")))
                QVERIFY2(!lines.at(e.line - 1).isEmpty(), e.target);
        }
        // Added messages: one line each, from the line after the map, none skipped.
        int line = languageLineCount;
        for (const common::AddedText *entry : added::all) {
            QCOMPARE(entry->line, ++line);
            const QString text = lines.at(entry->line - 1);
            QVERIFY2(!text.isEmpty(), qPrintable(QString::number(entry->line)));
            if (name == QLatin1String("Francais"))
                QCOMPARE(text, QString::fromUtf16(entry->french));
            else if (entry != &added::informationTitle && entry != &added::confirmationTitle) // the same words
                QVERIFY2(text != QString::fromUtf16(entry->french), qPrintable(text));
        }
        if (name == QLatin1String("Francais")) {
            // The French file gives back the built-in captions (lines shared by two
            // differently captioned controls aside).
            for (const CaptionLine &e : captionMap()) {
                if (*e.builtIn && e.line != 30 && e.line != 69 && e.line != 72)
                    QVERIFY2(lines.at(e.line - 1) == QString::fromUtf16(e.builtIn), e.target);
            }
            QCOMPARE(lines.at(37), QStringLiteral("Aucun multiplexeur détecté."));
        }
    }

};

QTEST_GUILESS_MAIN(TestLanguages)
#include "tst_setrixtexts.moc"
