#include "acquisition/captionmap.h"
#include "acquisition/quorixlanguage.h"
#include "common/languagefiles.h"
#include "common/settingsfile.h"
#include "common/textcodec.h"
#include "common/usererror.h"
#include "tests/support/files.h"
#include "tests/support/usererrors.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

using acquisition::ConfigurationSession;
using acquisition::QuorixLanguage;

using testsupport::writeBytes;
using testsupport::errorOf;

namespace {

class RecordingMenu : public common::LanguageMenu {
public:
    void showLanguage(int position, const QString &name) override { shown[position] = name; }
    void setLanguageChecked(int position, bool checked) override { ticked[position] = checked; }

    QMap<int, QString> shown;
    QMap<int, bool> ticked;
};

// A language file whose line n reads "<tag> n".
void writeLanguage(const QString &path, const QString &tag, int lineCount = 40)
{
    QString text;
    for (int n = 1; n <= lineCount; ++n)
        text += QStringLiteral("%1 %2\r\n").arg(tag).arg(n);
    writeBytes(path, common::encodeWindows1252(text));
}

// Registers every target of the map twice, as two windows would, recording the
// texts each registration receives.
struct AllTargets {
    explicit AllTargets(common::CaptionRegistry &targets)
    {
        for (const auto &entry : acquisition::captionMap()) {
            const QString name = QString::fromLatin1(entry.target);
            if (name.startsWith(u"msg_"))
                continue;
            targets.add(name, [this, name](const QString &text) { first[name] = text; });
            targets.add(name, [this, name](const QString &text) { second[name] = text; });
        }
    }
    QMap<QString, QString> first;
    QMap<QString, QString> second;
};

// The language layer as the main window holds it: menu and targets attached.
struct Quorix {
    Quorix(const common::SettingsFile &settings, const QString &languages)
        : language(settings, session, languages), targets(language.targets())
    {
        language.setMenu(&menu);
    }
    ConfigurationSession session;
    QuorixLanguage language;
    RecordingMenu menu;
    AllTargets targets;
};

} // namespace

class TestCaptions : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_languages;

    common::SettingsFile settings() const { return common::SettingsFile(QStringLiteral("quorix.ini"), m_dir.path()); }

private slots:
    void init()
    {
        QDir(m_dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_dir.path() + QStringLiteral("/lang")));
        m_languages = m_dir.path() + QStringLiteral("/lang");
    }

    void shippedFilesMatchTheBuiltInTexts()
    {
        const QString french = QStringLiteral(SOURCE_DIR "/lang/quorix/Francais.lng");
        for (const QString &path : {french, QStringLiteral(SOURCE_DIR "/lang/quorix/English.lng")}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            const int lines = 40 + int(std::size(acquisition::added::all));
            QCOMPARE(bytes.count("\r\n"), lines);
            QCOMPARE(bytes.count('\n'), lines);
            // Added messages: one line each after the map's 40, filled, the French file in French
            // (the menu item's word and two box titles are the same in English).
            const QStringList texts = common::readLanguageLines(path, lines);
            int line = 40;
            for (const common::AddedText *entry : acquisition::added::all) {
                QCOMPARE(entry->line, ++line);
                QVERIFY(!texts.at(entry->line - 1).isEmpty());
                QCOMPARE(texts.at(entry->line - 1) == QString::fromUtf16(entry->french),
                         path == french || entry == &acquisition::added::journalMenu
                             || entry == &acquisition::added::informationTitle
                             || entry == &acquisition::added::confirmationTitle);
            }
        }

        QFile::copy(french, m_languages + QStringLiteral("/Francais.lng"));
        Quorix quorix(settings(), m_languages);
        auto &[session, language, menu, targets] = quorix;
        const acquisition::QuorixMessages before = language.messages();
        language.UpDateCaption();

        for (const auto &entry : acquisition::captionMap()) {
            const QString name = QString::fromLatin1(entry.target);
            if (!name.startsWith(u"msg_") && name != u"ConfigurerCtxt")
                QCOMPARE(targets.first.value(name), QString::fromUtf16(entry.builtIn));
        }
        QCOMPARE(targets.first.value(QStringLiteral("ConfigurerCtxt")), QStringLiteral("&Configuration"));
        QCOMPARE(language.messages().msg_aucun_instrument, before.msg_aucun_instrument);
        QCOMPARE(language.messages().msg_quitter, before.msg_quitter);
        QCOMPARE(language.messages().msg_enregistrer, before.msg_enregistrer);
    }

    void shortFileEmptiesTheLaterCaptions()
    {
        writeLanguage(m_languages + QStringLiteral("/Court.lng"), QStringLiteral("c"), 30);
        Quorix quorix(settings(), m_languages);
        auto &[session, language, menu, targets] = quorix;
        language.UpDateCaption();

        QCOMPARE(targets.first.value(QStringLiteral("Label13")), QStringLiteral("c 2"));
        QCOMPARE(targets.first.value(QStringLiteral("RadioGroup1[1]")), QStringLiteral("c 14"));
        QCOMPARE(targets.first.value(QStringLiteral("QuitterCtxt")), QStringLiteral("c 26"));
        QCOMPARE(targets.first.value(QStringLiteral("menuExit")), QStringLiteral("c 26"));
        QCOMPARE(targets.first.value(QStringLiteral("Configuration1")), QStringLiteral("c 30"));
        QCOMPARE(targets.first.value(QStringLiteral("ConfigurerCtxt")), QStringLiteral("c 30"));
        for (const char *name : {"MinimiserCtxt", "Langue1", "Aide1", "Apropos2"}) {
            QVERIFY2(targets.first.contains(QLatin1String(name)), name);
            QCOMPARE(targets.first.value(QLatin1String(name)), QString());
        }
        QCOMPARE(targets.second, targets.first);
        QCOMPARE(language.messages().msg_aucun_instrument, QString());
        QCOMPARE(language.messages().msg_quitter, QString());
        QCOMPARE(language.messages().msg_enregistrer, QString());
    }

    void startUpOffersFiveSortedLanguagesAndReadsTheSettings()
    {
        for (const char *name : {"g", "b", "EN", "f", "c", "a", "d"})
            writeLanguage(m_languages + QStringLiteral("/%1.lng").arg(QLatin1String(name)), QLatin1String(name));
        common::SettingsFile ini = settings();
        ini.Ecrire_fichier_ini(QStringLiteral("GENERAL"), QStringLiteral("Langue"), 2);
        ini.Ecrire_chaine_ini(QStringLiteral("FICHIER"), QStringLiteral("Quorix"), QStringLiteral("/data/a.mux"));

        Quorix quorix(ini, m_languages);
        auto &[session, language, menu, targets] = quorix;
        language.UpDateCaption();

        const QMap<int, QString> offered{{1, "a"}, {2, "b"}, {3, "c"}, {4, "d"}, {5, "EN"}};
        QCOMPARE(menu.shown, offered);
        QCOMPARE(language.noms_langue(), QStringList(offered.values()));
        QCOMPARE(language.fichiers_langue().at(4), m_languages + QStringLiteral("/EN.lng"));
        QCOMPARE(menu.ticked, (QMap<int, bool>{{2, true}}));
        QCOMPARE(language.langue(), 2);
        QCOMPARE(session.fichier_config, QStringLiteral("/data/a.mux"));
        QCOMPARE(targets.first.value(QStringLiteral("Button2")), QStringLiteral("b 20"));
    }

    void noLanguageFileOffersNothing()
    {
        Quorix quorix(settings(), m_languages);
        auto &[session, language, menu, targets] = quorix;
        language.UpDateCaption();

        QVERIFY(menu.shown.isEmpty());
        QCOMPARE(language.fichiers_langue(), QStringList(5));
        QVERIFY(targets.first.isEmpty());
        QCOMPARE(language.messages().msg_quitter, QStringLiteral("Voulez-vous quitter Quorix ?"));
    }

    void choosingALanguageAppliesTicksAndStoresIt()
    {
        for (const char *name : {"a", "b", "c"})
            writeLanguage(m_languages + QStringLiteral("/%1.lng").arg(QLatin1String(name)), QLatin1String(name));
        Quorix quorix(settings(), m_languages);
        auto &[session, language, menu, targets] = quorix;
        language.UpDateCaption();

        language.chooseLanguage(3);
        QCOMPARE(language.langue(), 3);
        QCOMPARE(menu.ticked, (QMap<int, bool>{{1, false}, {2, false}, {3, true}, {4, false}, {5, false}}));
        QCOMPARE(targets.first.value(QStringLiteral("Label1")), QStringLiteral("c 17"));
        QCOMPARE(targets.second.value(QStringLiteral("Apropos2")), QStringLiteral("c 35"));
        QCOMPARE(language.messages().msg_enregistrer, QStringLiteral("c 38"));
        QCOMPARE(settings().load().readInteger(QStringLiteral("GENERAL"), QStringLiteral("Langue"), 0), 3);
    }

    void storedPositionWithoutFileKeepsTheCaptions()
    {
        writeLanguage(m_languages + QStringLiteral("/a.lng"), QStringLiteral("a"));
        common::SettingsFile ini = settings();
        Quorix quorix(ini, m_languages);
        auto &[session, language, menu, targets] = quorix;
        for (int stored : {4, 0, -3, 99}) {
            ini.Ecrire_fichier_ini(QStringLiteral("GENERAL"), QStringLiteral("Langue"), stored);
            QCOMPARE(errorOf([&] { language.UpDateCaption(); }), QStringLiteral("<no error>"));
            QVERIFY(targets.first.isEmpty());
        }
    }

    void vanishedFileIsReportedAndChangesNothing()
    {
        writeLanguage(m_languages + QStringLiteral("/a.lng"), QStringLiteral("a"));
        writeLanguage(m_languages + QStringLiteral("/b.lng"), QStringLiteral("b"));
        Quorix quorix(settings(), m_languages);
        auto &[session, language, menu, targets] = quorix;
        language.UpDateCaption();

        QVERIFY(QFile::remove(m_languages + QStringLiteral("/b.lng")));
        QCOMPARE(errorOf([&] { language.chooseLanguage(2); }), QStringLiteral("Fichier introuvable"));
        QCOMPARE(language.langue(), 1);
        QCOMPARE(menu.ticked, (QMap<int, bool>{{1, true}}));
        QCOMPARE(targets.first.value(QStringLiteral("Label1")), QStringLiteral("a 17"));
        QVERIFY(!QFile::exists(settings().path()));

        QVERIFY(QFile::remove(m_languages + QStringLiteral("/a.lng")));
        QCOMPARE(errorOf([&] { language.AffectCaption(); }), QStringLiteral("Fichier introuvable"));
    }
};

QTEST_GUILESS_MAIN(TestCaptions)
#include "tst_captionmap.moc"
