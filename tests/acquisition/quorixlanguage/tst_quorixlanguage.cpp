#include "acquisition/quorixlanguage.h"
#include "common/inifile.h"
#include "tests/support/files.h"

#include <QTemporaryDir>
#include <QTest>

using acquisition::QuorixLanguage;

namespace {

// The shipped language files, a quorix.ini with `settings`, and the
// language's quit question once started with LANG set to `locale`.
struct FirstStart {
    QTemporaryDir folder;
    QString quitQuestion;

    FirstStart(const QByteArray &settings, const QByteArray &locale)
    {
        for (const char *name : {"English.lng", "Francais.lng"})
            testsupport::writeBytes(folder.filePath(name),
                                    testsupport::readBytes(QStringLiteral(SOURCE_DIR "/lang/quorix/") + name));
        if (!settings.isEmpty())
            testsupport::writeBytes(ini(), settings);
        qputenv("LC_ALL", "");
        qputenv("LC_MESSAGES", "");
        qputenv("LANG", locale);
        acquisition::ConfigurationSession session;
        QuorixLanguage language(common::SettingsFile("quorix.ini", folder.path()), session, folder.path());
        language.UpDateCaption();
        quitQuestion = language.messages().msg_quitter;
    }
    QString ini() const { return folder.filePath("quorix.ini"); }
    QString stored() const { return common::IniFile::load(ini()).readString("GENERAL", "Langue"); }
};

} // namespace

class TestQuorixLanguage : public QObject {
    Q_OBJECT

private slots:
    void firstStartTakesTheLocaleAndKeepsIt()
    {
        const FirstStart french("", "fr_FR.UTF-8");
        QCOMPARE(french.quitQuestion, "Voulez-vous quitter Quorix ?");
        QCOMPARE(french.stored(), "2");

        const FirstStart other("", "de_DE.UTF-8");
        QCOMPARE(other.quitQuestion, "Do you want to quit Quorix?");
        QCOMPARE(other.stored(), "1");
    }

    void storedLanguageWins()
    {
        const FirstStart english("[GENERAL]\r\nLangue=1\r\n", "fr_FR.UTF-8");
        QCOMPARE(english.quitQuestion, "Do you want to quit Quorix?");
        QCOMPARE(english.stored(), "1");
    }
};

QTEST_GUILESS_MAIN(TestQuorixLanguage)
#include "tst_quorixlanguage.moc"
