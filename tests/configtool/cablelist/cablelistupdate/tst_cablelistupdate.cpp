#include "common/addedtexts.h"
#include "common/usererror.h"
#include "configtool/addedmessages.h"
#include "configtool/cablelist/cablelistcheck.h"
#include "configtool/cablelist/cablelistdate.h"
#include "configtool/cablelist/cablelistupdate.h"
#include "http/httpclient.h"
#include "tests/support/cablelistkept.h"
#include "tests/support/datacolumns.h"
#include "tests/support/files.h"
#include "tests/support/scriptedserver.h"
#include "tests/support/testcertificates.h"
#include "tests/support/usererrors.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using configtool::CableListDownload;
using configtool::ProxySettings;
using testhttp::ScriptedServer;
using testhttp::okReply;

using testsupport::kept;
using testsupport::readBytes;
using testsupport::writeBytes;
using testsupport::errorOf;

namespace {

const QByteArray oldList = "01/01/2020\r\n51000 ANCIENNE LISTE         ;x\r\n";
// Windows-1252 text with CR LF, as lists are published: must arrive unchanged.
const QByteArray newList = "15/03/2024\r\n51001 C\xE2" "ble pied \xE0 coulisse ;9600;8;SANS;$0D\r\n";

// A download against a temporary cable.txt holding the old list.
struct DownloadRig {
    QTemporaryDir dir;
    QString cablePath = dir.filePath("cable.txt");
    http::HttpClient client;
    common::AddedTexts texts{configtool::added::all};
    CableListDownload download{client, texts};
    QStringList lines;
    QStringList messages;
    QList<QPair<qint64, qint64>> progress;

    DownloadRig()
    {
        writeBytes(cablePath, oldList);
        QObject::connect(&download, &CableListDownload::statusLine, [this](const QString &text) { lines << text; });
        QObject::connect(&download, &CableListDownload::connectionFailed,
                         [this](const QString &text) { messages << text; });
        QObject::connect(&download, &CableListDownload::progress,
                         [this](qint64 maximum, qint64 position) { progress.append({maximum, position}); });
    }
};

const QStringList reached = {"Host Resolved", "Connect"};

} // namespace

class TestCableListUpdate : public QObject {
    Q_OBJECT

private slots:
    void dateLine_data();
    void dateLine();
    void dateOfFile();
    void outdatedAfterThirtyDays();
    void chosenListInSystemFormat();
    void chosenListAgainstCurrent();
    void chosenListFailures();
    void wholeListsOnly_data();
    void wholeListsOnly();
    void cutAnywhereButALineEnd();
    void downloadReplacesListByteForByte();
    void unusableRepliesKeepTheList_data();
    void unusableRepliesKeepTheList();
    void refusedConnection();
    void throughProxyOrDirect();
    void silentServer();
    void secureServerIsChecked();
    void unwritableList();
};

void TestCableListUpdate::dateLine_data()
{
    testsupport::columns<QByteArray, QDate>("bytes", "date");

    QTest::newRow("slashes, CR LF") << QByteArray("15/03/2024\r\n51000") << QDate(2024, 3, 15);
    QTest::newRow("any separators, text after") << QByteArray("01x02y2024 liste\n") << QDate(2024, 2, 1);
    QTest::newRow("CR alone ends the line") << QByteArray("29/02/2024\r51000") << QDate(2024, 2, 29);
    QTest::newRow("empty") << QByteArray() << QDate();
    QTest::newRow("short year") << QByteArray("15/03/24") << QDate();
    QTest::newRow("day not padded") << QByteArray("5/03/2024x") << QDate();
    QTest::newRow("no such day") << QByteArray("31/02/2024") << QDate();
    QTest::newRow("no such month") << QByteArray("15/13/2024") << QDate();
    QTest::newRow("date on the second line") << QByteArray("\r\n15/03/2024") << QDate();
    QTest::newRow("html page") << QByteArray("<!DOCTYPE html>\n<html>") << QDate();
    QTest::newRow("non-ASCII digits") << QByteArray("\xD9\xA1\xD9\xA5/03/2024") << QDate();
}

void TestCableListUpdate::dateLine()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QDate, date);
    QCOMPARE(configtool::cableListDate(configtool::firstLineOf(bytes)), date);
}

void TestCableListUpdate::dateOfFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("cable.txt");
    QCOMPARE(configtool::cableListDateOfFile(path), QDate());
    writeBytes(path, newList);
    QCOMPARE(configtool::cableListDateOfFile(path), QDate(2024, 3, 15));
}

void TestCableListUpdate::outdatedAfterThirtyDays()
{
    const QDate today(2024, 3, 1);
    QVERIFY(!configtool::isCableListOutdated(today.addDays(-30), today));
    QVERIFY(configtool::isCableListOutdated(today.addDays(-31), today));
    QVERIFY(!configtool::isCableListOutdated(today.addDays(5), today));
    QVERIFY(configtool::isCableListOutdated(QDate(), today));
}

void TestCableListUpdate::chosenListInSystemFormat()
{
    const QLocale locale = QLocale::system();
    const QDate date(1999, 12, 5);
    const QString line = locale.toString(date, QLocale::ShortFormat);
    if (locale.toDate(line, QLocale::ShortFormat) != date)
        QSKIP("the system's short date format does not read back its own dates");
    QCOMPARE(configtool::chosenListDate(line), date);
    // The positional form is read first, whatever the system's format.
    QCOMPARE(configtool::chosenListDate("03/04/2024"), QDate(2024, 4, 3));
}

void TestCableListUpdate::chosenListAgainstCurrent()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("cable.txt");
    writeBytes(path, newList);
    const configtool::ChosenCableList chosen = configtool::readChosenCableList(path);
    QCOMPARE(chosen.bytes, newList);
    QCOMPARE(chosen.date, QDate(2024, 3, 15));

    QVERIFY(!configtool::isOlderThanCurrentList(chosen.date, QDate(2024, 3, 14)));
    QVERIFY(!configtool::isOlderThanCurrentList(chosen.date, QDate(2024, 3, 15)));
    QVERIFY(configtool::isOlderThanCurrentList(chosen.date, QDate(2024, 3, 16)));
    QVERIFY(!configtool::isOlderThanCurrentList(chosen.date, QDate()));

    const QString target = dir.filePath("target.txt");
    writeBytes(target, oldList);
    configtool::writeCableList(target, chosen.bytes);
    QCOMPARE(readBytes(target), newList);
}

void TestCableListUpdate::chosenListFailures()
{
    QTemporaryDir dir;
    const QString htmlPath = dir.filePath("cable.txt");
    writeBytes(htmlPath, "<html>\xE9t\xE9</html>\r\n15/03/2024\r\n");
    const QString missingPath = dir.filePath("missing/cable.txt");

    QCOMPARE(errorOf([&] { configtool::readChosenCableList(htmlPath); }),
             QString("'<html>été</html>' n'est pas une date correcte"));
    QCOMPARE(errorOf([&] { configtool::readChosenCableList(missingPath); }),
             "Impossible d'ouvrir le fichier " + missingPath);
    QCOMPARE(errorOf([&] { configtool::readChosenCableList(dir.path()); }), "Impossible d'ouvrir le fichier " + dir.path());
    // Reading a FIFO would wait for a writer.
    const QString fifo = dir.filePath("fifo/cable.txt");
    QVERIFY(QDir(dir.path()).mkdir("fifo"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QCOMPARE(errorOf([&] { configtool::readChosenCableList(fifo); }), "Impossible d'ouvrir le fichier " + fifo);
    QCOMPARE(configtool::cableListDateOfFile(fifo), QDate());
    QCOMPARE(errorOf([&] { configtool::writeCableList(missingPath, newList); }),
             "Impossible de créer le fichier " + missingPath);
}

void TestCableListUpdate::wholeListsOnly_data()
{
    testsupport::columns<QByteArray, bool>("records", "whole"); // records after a date line

    const QByteArray rs232 = "51101 COMPARATEUR C10    ;9600;8;SANS;$0D;MM;1;;;$4D;;;;;;;";
    const QByteArray analog = "51901 ANALOGIQUE 0-10V   ;$00;$00;$00;$00;$00;$00;$20;A;3;";
    QTest::newRow("records, LF, blank lines") << rs232 + "\n\n" + analog + "\r\n\r\n" << true;
    QTest::newRow("date line only") << QByteArray() << true;
    QTest::newRow("more fields than read, other family")
        << "52000 AUTRE FAMILLE       ;x;y;" + rs232.mid(25) + "\r\n" << true;
    QTest::newRow("one field short") << rs232.chopped(1) + "\r\n" << false;
    QTest::newRow("analog, one field short") << analog.left(analog.lastIndexOf(';')) + "\r\n" << false;
    QTest::newRow("data bits not an integer") << QByteArray(rs232).replace(";8;", ";x;") + "\r\n" << false;
    QTest::newRow("offset not an integer") << QByteArray(rs232).replace(";1;", ";;") + ";\r\n" << false;
    QTest::newRow("decimals not an integer") << QByteArray(analog).replace(";3;", ";;") + ";\r\n" << false;
    QTest::newRow("reference not a number") << "5X101" + rs232.mid(5) + "\r\n" << false;
    QTest::newRow("line too short for a record") << rs232 + "\r\n51101 COMPARATEUR\r\n" << false;
}

void TestCableListUpdate::wholeListsOnly()
{
    QFETCH(QByteArray, records);
    QFETCH(bool, whole);
    QCOMPARE(configtool::isWholeCableList("01/12/2026\r\n" + records), whole);
}

// The shipped list cut at every byte is whole only where a line ends.
void TestCableListUpdate::cutAnywhereButALineEnd()
{
    const QByteArray list = readBytes(SOURCE_DIR "/configtool/data/cable.txt");
    QVERIFY(list.count('\n') > 5);
    for (qsizetype size = 1; size <= list.size(); ++size)
        QVERIFY2(configtool::isWholeCableList(list.left(size)) == (list.at(size - 1) == '\n'),
                 qPrintable(QString("cut at %1").arg(size)));
}

void TestCableListUpdate::downloadReplacesListByteForByte()
{
    ScriptedServer server;
    server.setReply(okReply(newList));
    DownloadRig rig;
    rig.download.setUrl(server.url("/Update/cable.txt"));

    QVERIFY(rig.download.run({}, rig.cablePath));
    QCOMPARE(readBytes(rig.cablePath), newList);
    QCOMPARE(rig.lines, (reached + QStringList{"HTTP/1.1 200 OK", "Get Succeeded", "Received complete"}));
    QCOMPARE(rig.progress.last(), qMakePair(qint64(newList.size()), qint64(newList.size())));
    QVERIFY(rig.messages.isEmpty());
}

void TestCableListUpdate::unusableRepliesKeepTheList_data()
{
    testsupport::columns<QByteArray, QStringList>("reply", "lines");

    QTest::newRow("404") << QByteArray("HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found")
                         << QStringList{"Object Not Found", "Get Succeeded", "Received complete",
                                        kept("Liste des câbles introuvable sur le serveur")};
    QTest::newRow("500 with a dated body")
        << QByteArray("HTTP/1.1 500 Internal Server Error\r\n\r\n") + newList
        << QStringList{"HTTP/1.1 500 Internal Server Error", "Get Succeeded", "Received complete",
                       kept("Erreur 500 du serveur")};
    QTest::newRow("body cut halfway")
        << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: ") + QByteArray::number(newList.size()) + "\r\n\r\n"
               + newList.left(newList.size() / 2)
        << QStringList{"HTTP/1.1 200 OK", "Get Failed", "Received complete", kept("Téléchargement interrompu")};
    QTest::newRow("html page with 200")
        << okReply("<!DOCTYPE html>\r\n<html><body>Connexion au portail</body></html>\r\n")
        << QStringList{"HTTP/1.1 200 OK", "Get Succeeded", "Received complete",
                       kept("Le fichier reçu n'est pas une liste de câbles")};
    QTest::newRow("cut off, no length") << QByteArray("HTTP/1.1 200 OK\r\n\r\n") + newList.left(40)
                                        << QStringList{"HTTP/1.1 200 OK", "Get Succeeded", "Received complete",
                                                       kept("Téléchargement incomplet")};
    QTest::newRow("not http") << QByteArray("SSH-2.0-server\r\n")
                              << QStringList{"Get Failed", "Received complete", kept("Réponse du serveur illisible")};
}

void TestCableListUpdate::unusableRepliesKeepTheList()
{
    QFETCH(QByteArray, reply);
    QFETCH(QStringList, lines);
    ScriptedServer server;
    server.setReply(reply);
    DownloadRig rig;
    rig.download.setUrl(server.url("/Update/cable.txt"));

    QVERIFY(!rig.download.run({}, rig.cablePath));
    QCOMPARE(readBytes(rig.cablePath), oldList);
    QCOMPARE(rig.lines, reached + lines);
}

void TestCableListUpdate::refusedConnection()
{
    DownloadRig rig;
    rig.download.setUrl(QUrl(QString("http://127.0.0.1:%1/Update/cable.txt").arg(ScriptedServer::closedPort())));

    QVERIFY(!rig.download.run({}, rig.cablePath));
    QCOMPARE(rig.messages, QStringList{"Connection Failed"});
    QCOMPARE(rig.lines, (QStringList{"Host Resolved", "Get Failed", kept("Connexion au serveur impossible")}));
    QCOMPARE(readBytes(rig.cablePath), oldList);
}

void TestCableListUpdate::throughProxyOrDirect()
{
    ScriptedServer proxy;
    proxy.setReply(okReply(newList));
    ScriptedServer direct;
    direct.setReply(okReply(newList));
    const ProxySettings settings{1, "127.0.0.1", proxy.port()};

    // Through the proxy the fixed update address is never resolved here.
    DownloadRig viaProxy;
    QVERIFY(viaProxy.download.run(settings, viaProxy.cablePath));
    QCOMPARE(proxy.requests(), QList<QByteArray>{"GET http://update.setrix.example/Update/cable.txt HTTP/1.1\r\n"
                                                 "Host: update.setrix.example\r\nConnection: close\r\n\r\n"});
    QCOMPARE(readBytes(viaProxy.cablePath), newList);

    DownloadRig straight;
    straight.download.setUrl(direct.url("/Update/cable.txt"));
    QVERIFY(straight.download.run({0, "127.0.0.1", proxy.port()}, straight.cablePath));
    QCOMPARE(direct.requests(),
             QList<QByteArray>{"GET /Update/cable.txt HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(direct.port())
                               + "\r\nConnection: close\r\n\r\n"});
    QCOMPARE(proxy.requests().size(), 1);

    DownloadRig badPort;
    QVERIFY(!badPort.download.run({1, "127.0.0.1", 0}, badPort.cablePath));
    QCOMPARE(badPort.lines, QStringList{kept("Adresse du serveur ou du proxy incorrecte")});
    QCOMPARE(readBytes(badPort.cablePath), oldList);
}

void TestCableListUpdate::silentServer()
{
    ScriptedServer server;
    server.setSilent();
    DownloadRig rig;
    rig.download.setUrl(server.url("/Update/cable.txt"));
    rig.client.setIdleTimeout(100);

    QVERIFY(!rig.download.run({}, rig.cablePath));
    QCOMPARE(rig.lines, (reached + QStringList{"Get Failed", "Received complete", kept("Le serveur ne répond plus")}));

    // "&Annuler" while the server says nothing: the run ends at once, silently.
    rig.lines.clear();
    rig.client.setIdleTimeout(60 * 60 * 1000);
    QObject::connect(&rig.client, &http::HttpClient::connected, &rig.download, &CableListDownload::cancel);
    QVERIFY(!rig.download.run({}, rig.cablePath));
    QCOMPARE(rig.lines, reached);
    QCOMPARE(readBytes(rig.cablePath), oldList);
}

// Over https an expired certificate stops the update before anything is
// asked, and says so in the box as in the status line.
void TestCableListUpdate::secureServerIsChecked()
{
    testhttp::TestCertificates certificates;
    QVERIFY2(certificates.make(), qPrintable(certificates.error()));
    ScriptedServer expired(certificates.expired());
    expired.setReply(okReply(newList));
    DownloadRig refused;
    refused.client.trustAlso(certificates.authority());
    refused.download.setUrl(expired.url("/Update/cable.txt", "localhost"));

    QVERIFY(!refused.download.run({}, refused.cablePath));
    const QString why = kept("Certificat du serveur refusé (The certificate has expired)");
    QCOMPARE(refused.lines, (QStringList {"Host Resolved", "Get Failed", why}));
    QCOMPARE(refused.messages, QStringList {why});
    QCOMPARE(readBytes(refused.cablePath), oldList);
    QVERIFY(expired.requests().isEmpty());

    ScriptedServer valid(certificates.valid());
    valid.setReply(okReply(newList));
    DownloadRig secure;
    secure.client.trustAlso(certificates.authority());
    secure.download.setUrl(valid.url("/Update/cable.txt", "localhost"));
    QVERIFY(secure.download.run({}, secure.cablePath));
    QCOMPARE(readBytes(secure.cablePath), newList);
}

void TestCableListUpdate::unwritableList()
{
    ScriptedServer server;
    server.setReply(okReply(newList));
    DownloadRig rig;
    rig.download.setUrl(server.url("/Update/cable.txt"));
    const QString path = rig.dir.filePath("missing/cable.txt");

    QVERIFY_THROWS_EXCEPTION(common::UserError, rig.download.run({}, path));
}

QTEST_GUILESS_MAIN(TestCableListUpdate)
#include "tst_cablelistupdate.moc"
