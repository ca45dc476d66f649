#include "common/systeminfo.h"
#include "common/ui/apropos.h"
#include "common/version.h"
#include "tests/support/datacolumns.h"
#include "tests/support/widgets/messageboxanswerer.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace common;

Q_DECLARE_METATYPE(common::AboutProgram)

class TestAbout : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    QString write(const QString &name, const QByteArray &content)
    {
        QFile file(dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(content);
        return file.fileName();
    }

private slots:
    void cleanup() { QLocale::setDefault(QLocale::system()); }

    void memoryFollowsTheLocale_data()
    {
        testsupport::columns<quint64, QString, QStringList>("bytes", "english", "frenchGroups");
        const quint64 kb = 16310448;
        QTest::newRow("16 GB") << kb * 1024 << "16,310,448 KB" << QStringList{"16", "310", "448"};
        QTest::newRow("rounded down") << kb * 1024 + 511 << "16,310,448 KB"
                                      << QStringList{"16", "310", "448"};
        QTest::newRow("rounded up") << kb * 1024 + 512 << "16,310,449 KB"
                                    << QStringList{"16", "310", "449"};
        QTest::newRow("past 32 bits") << (quint64(64) << 30) << "67,108,864 KB"
                                      << QStringList{"67", "108", "864"};
        QTest::newRow("small") << quint64(500 * 1024) << "500 KB" << QStringList{"500"};
    }
    void memoryFollowsTheLocale()
    {
        QFETCH(quint64, bytes);
        QFETCH(QStringList, frenchGroups);
        const QLocale french("fr_FR");
        QTEST(memoryText(bytes, QLocale("en_US")), "english");
        QCOMPARE(memoryText(bytes, french), frenchGroups.join(french.groupSeparator()) + " KB");
        QVERIFY(french.groupSeparator().at(0).isSpace());
        // The C locale leaves grouping out by default; the figure is still grouped.
        QTEST(memoryText(bytes, QLocale::c()), "english");
    }

    void distributionNameFromOsRelease()
    {
        const QString pretty = write("pretty", "# comment\nNAME=\"Plain\"\n"
                                               "PRETTY_NAME=\"Shop \\\"Floor\\\" OS 3\"\nID=x\n");
        const QString nameOnly = write("name", "ID=x\nNAME='Bare OS'\n");
        const QString unquoted = write("unquoted", "NAME=Unquoted\r\nPRETTY_NAME=\r\n");
        const QString empty = write("empty", "");
        const QString missing = dir.filePath("missing");

        QCOMPARE(distributionName({pretty}), QString("Shop \"Floor\" OS 3"));
        QCOMPARE(distributionName({nameOnly}), QString("Bare OS"));
        QCOMPARE(distributionName({unquoted}), QString("Unquoted"));
        QCOMPARE(distributionName({missing, empty, nameOnly}), QString("Bare OS"));
        QCOMPARE(distributionName({missing, empty}), QString());

        QCOMPARE(systemVersionText({pretty}),
                 QString("Shop \"Floor\" OS 3 (Build %1)").arg(kernelRelease()));
        QVERIFY(!kernelRelease().isEmpty());
        // Without a distribution name the kernel names the system.
        QCOMPARE(systemVersionText({missing}), QString("Linux (Build %1)").arg(kernelRelease()));
    }

    void windowsNames_data()
    {
        testsupport::columns<int, uint, uint, QString, QString>(
            "platform", "major", "minor", "configTool", "acquisition");
        const int nine = int(WindowsPlatform::Windows9x), nt = int(WindowsPlatform::WindowsNT);
        QTest::newRow("95") << nine << 4u << 0u << "Windows 95" << "Windows 95";
        QTest::newRow("98") << nine << 4u << 10u << "Windows 98" << "Windows 98";
        QTest::newRow("9x minor 5") << nine << 4u << 5u << "" << "";
        QTest::newRow("NT 3") << nt << 3u << 51u << "" << "";
        QTest::newRow("NT 4") << nt << 4u << 0u << "Windows NT" << "Windows NT";
        QTest::newRow("2000") << nt << 5u << 0u << "Windows 2000" << "Windows 2000";
        QTest::newRow("XP") << nt << 5u << 1u << "Windows 2000" << "Windows XP";
        QTest::newRow("NT 6") << nt << 6u << 1u << "Windows 2000" << "";
        QTest::newRow("other") << int(WindowsPlatform::Other) << 5u << 1u << "" << "";
    }
    void windowsNames()
    {
        QFETCH(int, platform);
        QFETCH(uint, major);
        QFETCH(uint, minor);
        const auto which = WindowsPlatform(platform);
        QTEST(windowsSystemName(which, major, minor, NamingProgram::ConfigTool), "configTool");
        QTEST(windowsSystemName(which, major, minor, NamingProgram::Acquisition), "acquisition");
    }
    void windowsBuild()
    {
        QCOMPARE(windowsBuildText(5, 1, 2600), QString("(Build 5.1.2600)"));
        // 9x systems kept the version in the high word of the build number.
        QCOMPARE(windowsBuildText(4, 10, 0x040A08AE), QString("(Build 4.10.2222)"));
    }

    void eachProgramsBox_data()
    {
        testsupport::columns<AboutProgram, QString, QString, QString, QSize>(
            "program", "name", "version", "caption", "size");
        QTest::newRow("Setrix") << AboutProgram::setrix() << "Setrix" << "Version 1.0 (04/2002)"
                                << "A propos de Setrix" << QSize(293, 268);
        QTest::newRow("Quorix") << AboutProgram::quorix() << "Quorix" << "Version 4.0 (08/2011)"
                                << "A propos de Quorix" << QSize(314, 267);
    }
    void eachProgramsBox()
    {
        QFETCH(AboutProgram, program);
        QLocale::setDefault(QLocale("fr_FR"));
        TAboutBox box(program);
        QTEST(box.windowTitle(), "caption");
        QTEST(box.Label6->text(), "name");
        QTEST(box.Label7->text(), "version");
        QCOMPARE(box.packageLine->text(), QString("Paquet setrix-quorix " SETRIX_QUORIX_VERSION));
        QTEST(box.size(), "size");
        QCOMPARE(box.label9->text(), QString("Mémoire disponible pour Windows :"));
        QCOMPARE(box.Button1->text(), QString("&Support technique"));
        QCOMPARE(box.OKButton->text(), QString("&OK"));
        QVERIFY(box.OKButton->isDefault());
        QVERIFY(!box.ProgramIcon->pixmap().isNull());
        QCOMPARE(box.win_version->text(), systemVersionText());
        QVERIFY(box.win_version->text().endsWith(" (Build " + kernelRelease() + ")"));
        QCOMPARE(box.PhysMem->text(), memoryText(physicalMemoryBytes(), QLocale("fr_FR")));
        QVERIFY(box.PhysMem->text().endsWith(" KB"));
        QVERIFY(physicalMemoryBytes() > 0);

        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        box.OKButton->click();
        QVERIFY(!box.isVisible());
        QCOMPARE(box.result(), int(QDialog::Accepted));
    }

    void languageReplacesCaptions()
    {
        TAboutBox box(AboutProgram::setrix());
        box.setCaption("About Setrix");
        box.setVersionLine("Release 1.0 (04/2002)");
        box.setMemoryLabel("Memory available:");
        box.setSupportButton("&Technical support");
        QCOMPARE(box.windowTitle(), QString("About Setrix"));
        QCOMPARE(box.Label7->text(), QString("Release 1.0 (04/2002)"));
        QCOMPARE(box.label9->text(), QString("Memory available:"));
        QCOMPARE(box.Button1->text(), QString("&Technical support"));
    }

    void supportShowsContactDetails()
    {
        TAboutBox box(AboutProgram::quorix());
        MessageBoxAnswerer boxes;
        box.Button1->click();
        QCOMPARE(boxes.seen().size(), 1);
        const MessageBoxAnswerer::Box &shown = boxes.seen().at(0);
        QCOMPARE(shown.title, QString("Information"));
        QCOMPARE(shown.icon, QMessageBox::Information);
        QCOMPARE(shown.buttons, QStringList{"OK"});
        QCOMPARE(shown.text, TAboutBox::supportText());
        const QStringList lines = shown.text.split('\n');
        QCOMPARE(lines.size(), 7);
        QVERIFY(lines.contains("www.example.com"));
        QVERIFY(lines.contains("support@example.com"));
    }

    void screenshot()
    {
        // Kept for looking at the layout: ABOUT_SCREENSHOT=/tmp/about.png
        const QString path = qEnvironmentVariable("ABOUT_SCREENSHOT");
        if (path.isEmpty())
            QSKIP("ABOUT_SCREENSHOT not set");
        QLocale::setDefault(QLocale("fr_FR"));
        TAboutBox setrix(AboutProgram::setrix());
        TAboutBox quorix(AboutProgram::quorix());
        QVERIFY(setrix.grab().save(path));
        QVERIFY(quorix.grab().save(QString(path).replace(".png", "-quorix.png")));
    }
};

QTEST_MAIN(TestAbout)
#include "tst_apropos.moc"
