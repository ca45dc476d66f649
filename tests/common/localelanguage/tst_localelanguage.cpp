#include "common/localelanguage.h"
#include "tests/support/datacolumns.h"

#include <QTest>

class TestLocaleLanguage : public QObject {
    Q_OBJECT

private slots:
    void positionForLocale_data()
    {
        testsupport::columns<QStringList, QString, int>("names", "locale", "position");
        const QStringList shipped {"English", "Francais"};
        QTest::newRow("fr_FR.UTF-8") << shipped << "fr_FR.UTF-8" << 2;
        QTest::newRow("fr_CA") << shipped << "fr_CA" << 2;
        QTest::newRow("fr") << shipped << "fr" << 2;
        QTest::newRow("fr@euro") << shipped << "fr_BE@euro" << 2;
        QTest::newRow("fy is not French") << shipped << "fy_NL.UTF-8" << 1;
        QTest::newRow("frr is not French") << shipped << "frr_DE" << 1;
        QTest::newRow("de_DE") << shipped << "de_DE.UTF-8" << 1;
        QTest::newRow("C") << shipped << "C.UTF-8" << 1;
        QTest::newRow("unset") << shipped << "" << 1;
        // Files added by a user shift the positions; names are matched loosely.
        QTest::newRow("Français after Deutsch")
            << QStringList {"Deutsch", "english", "Français"} << "fr_FR" << 3;
        QTest::newRow("French") << QStringList {"Espanol", "French"} << "fr_FR" << 2;
        QTest::newRow("no English file") << QStringList {"Francais"} << "en_GB" << 0;
        QTest::newRow("no file") << QStringList {"", "", "", "", ""} << "fr_FR" << 0;
    }
    void positionForLocale()
    {
        QFETCH(QStringList, names);
        QFETCH(QString, locale);
        QFETCH(int, position);
        QCOMPARE(common::languagePositionForLocale(names, locale), position);
    }

    void messagesLocaleFollowsTheCLibrarysOrder()
    {
        qputenv("LC_ALL", "");
        qputenv("LC_MESSAGES", "");
        qputenv("LANG", "fr_FR.UTF-8");
        QCOMPARE(common::messagesLocale(), "fr_FR.UTF-8");
        qputenv("LC_MESSAGES", "en_US.UTF-8");
        QCOMPARE(common::messagesLocale(), "en_US.UTF-8");
        qputenv("LC_ALL", "fr_CA.UTF-8");
        QCOMPARE(common::messagesLocale(), "fr_CA.UTF-8");
    }
};

QTEST_GUILESS_MAIN(TestLocaleLanguage)
#include "tst_localelanguage.moc"
