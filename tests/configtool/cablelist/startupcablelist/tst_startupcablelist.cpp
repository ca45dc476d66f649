#include "configtool/cablelist/startupcablelist.h"
#include "tests/support/files.h"
#include "tests/support/usererrors.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using configtool::readStartupCableListDate;
using testsupport::errorOf;

class TestStartupCableList : public QObject {
    Q_OBJECT
private slots:
    void startupCableListDate()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("cable.txt");
        QCOMPARE(errorOf([&] { readStartupCableListDate(path); }), QStringLiteral("Fichier introuvable"));

        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("31/02/2024\r\n50417 x\r\n");
        file.close();
        QCOMPARE(errorOf([&] { readStartupCableListDate(path); }),
                 QStringLiteral("'31/02/2024' n'est pas une date correcte"));

        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("07.03.2024\r\n");
        file.close();
        QCOMPARE(readStartupCableListDate(path), QDate(2024, 3, 7));
    }

    // Only the date line is read: a long list is no reason to refuse it, and a
    // first line without an end is cut rather than read whole.
    void readsOnlyTheStartOfTheFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("cable.txt");
        testsupport::writeBytes(path, "07/03/2024\r\n" + QByteArray(4 << 20, 'x'));
        QCOMPARE(readStartupCableListDate(path), QDate(2024, 3, 7));

        testsupport::writeBytes(path, QByteArray(10000, 'y'));
        QCOMPARE(errorOf([&] { readStartupCableListDate(path); }),
                 QStringLiteral("'%1' n'est pas une date correcte").arg(QString(4095, u'y')));
    }

    void refusesWhatIsNoPlainFile()
    {
        QTemporaryDir dir;
        const QString fifo = dir.filePath("cable.txt");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QCOMPARE(errorOf([&] { readStartupCableListDate(fifo); }), "Impossible d'ouvrir le fichier " + fifo);
        QCOMPARE(errorOf([&] { readStartupCableListDate(dir.path()); }),
                 "Impossible d'ouvrir le fichier " + dir.path());
    }
};

QTEST_GUILESS_MAIN(TestStartupCableList)
#include "tst_startupcablelist.moc"
