#include "http/httpclient.h"
#include "tests/support/datacolumns.h"
#include "tests/support/scriptedserver.h"

#include <QSignalSpy>
#include <QTest>

using http::HttpClient;
using testhttp::ScriptedServer;

namespace {

// Every signal of the client as one line, packets apart since their number
// depends on how the bytes travel.
struct Recorder {
    QStringList events;
    QList<QPair<qint64, qint64>> packets;

    explicit Recorder(HttpClient &client)
    {
        QObject::connect(&client, &HttpClient::hostResolved, [this] { events << "hostResolved"; });
        QObject::connect(&client, &HttpClient::connected, [this] { events << "connected"; });
        QObject::connect(&client, &HttpClient::statusText, [this](const QString &text) { events << "status " + text; });
        QObject::connect(&client, &HttpClient::packetReceived, [this](qint64 received, qint64 expected) {
            packets.append({received, expected});
        });
        QObject::connect(&client, &HttpClient::requestDone, [this](http::RequestKind kind, bool ok) {
            events << http::requestResultText(kind, ok);
        });
        QObject::connect(&client, &HttpClient::connectionFailed, [this] { events << "connectionFailed"; });
        QObject::connect(&client, &HttpClient::disconnected, [this] { events << "disconnected"; });
        QObject::connect(&client, &HttpClient::finished, [this] { events << "finished"; });
    }
};

const QStringList successEvents(const QString &status)
{
    return {"hostResolved", "connected", "status " + status, "Get Succeeded", "disconnected", "finished"};
}

} // namespace

class TestHttpClient : public QObject {
    Q_OBJECT

private slots:
    void bodyFramings_data();
    void bodyFramings();
    void cutOffBodyFails();
    void refusedConnection();
    void requestThroughProxy();
    void silentServerTimesOut();
    void abortEndsWithFinishedOnly();
    void abortedLookupDoesNotSteerTheNextTransfer();
    void oversizedBodyIsRefused();
    void unusableRequestsAreRefused();
};

void TestHttpClient::bodyFramings_data()
{
    testsupport::columns<QByteArray, qint64>("reply", "expected");

    QTest::newRow("content-length")
        << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 12\r\n\r\n01/02/2024\r\n") << qint64(12);
    QTest::newRow("chunked")
        << QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
                      "5\r\n01/02\r\n7;x=y\r\n/2024\r\n\r\n0\r\n\r\n")
        << qint64(-1);
    QTest::newRow("until close")
        << QByteArray("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n\r\n01/02/2024\r\n") << qint64(-1);
}

void TestHttpClient::bodyFramings()
{
    QFETCH(QByteArray, reply);
    QFETCH(qint64, expected);
    ScriptedServer server;
    server.setReply(reply);
    HttpClient client;
    Recorder recorder(client);

    QVERIFY(client.getAndWait(server.url("/Update/cable.txt")));

    QCOMPARE(server.requests(),
             QList<QByteArray>{"GET /Update/cable.txt HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(server.port())
                               + "\r\nConnection: close\r\n\r\n"});
    QCOMPARE(recorder.events, successEvents("HTTP/1.1 200 OK"));
    QCOMPARE(client.statusCode(), 200);
    QCOMPARE(client.body(), QByteArray("01/02/2024\r\n"));
    QCOMPARE(client.bytesReceived(), qint64(12));
    QCOMPARE(client.bytesExpected(), expected);
    QVERIFY(!recorder.packets.isEmpty());
    QCOMPARE(recorder.packets.last(), qMakePair(qint64(12), expected));
}

void TestHttpClient::cutOffBodyFails()
{
    ScriptedServer server;
    server.setReply("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nonly part of it");
    HttpClient client;
    Recorder recorder(client);

    QVERIFY(!client.getAndWait(server.url("/x")));
    QCOMPARE(client.failure(), HttpClient::Failure::ConnectionLost);
    QCOMPARE(recorder.events, (QStringList{"hostResolved", "connected", "status HTTP/1.1 200 OK", "Get Failed",
                                           "disconnected", "finished"}));
    QCOMPARE(recorder.packets.last(), qMakePair(qint64(15), qint64(100)));
}

void TestHttpClient::refusedConnection()
{
    HttpClient client;
    Recorder recorder(client);

    QVERIFY(!client.getAndWait(QUrl(QStringLiteral("http://127.0.0.1:%1/x").arg(ScriptedServer::closedPort()))));
    QCOMPARE(client.failure(), HttpClient::Failure::ConnectFailed);
    QCOMPARE(recorder.events, (QStringList{"hostResolved", "connectionFailed", "Get Failed", "finished"}));
    QCOMPARE(client.statusCode(), 0);
}

void TestHttpClient::requestThroughProxy()
{
    ScriptedServer proxy;
    proxy.setReply("HTTP/1.0 200 OK\r\nContent-Length: 2\r\n\r\nok");
    HttpClient client;
    client.setProxy(QStringLiteral("127.0.0.1"), proxy.port());

    // The target's name is the proxy's business: it is never resolved here.
    QVERIFY(client.getAndWait(QUrl(QStringLiteral("http://cables.invalid:8080/Update/cable.txt?v=2#top"))));
    QCOMPARE(proxy.requests(), QList<QByteArray>{"GET http://cables.invalid:8080/Update/cable.txt?v=2 HTTP/1.1\r\n"
                                                 "Host: cables.invalid:8080\r\nConnection: close\r\n\r\n"});
    QCOMPARE(client.body(), QByteArray("ok"));
}

void TestHttpClient::silentServerTimesOut()
{
    ScriptedServer server;
    server.setSilent();
    HttpClient client;
    client.setIdleTimeout(100);
    Recorder recorder(client);

    QVERIFY(!client.getAndWait(server.url("/x")));
    QCOMPARE(client.failure(), HttpClient::Failure::ReplyTimedOut);
    QCOMPARE(recorder.events, (QStringList{"hostResolved", "connected", "Get Failed", "disconnected", "finished"}));
}

void TestHttpClient::abortEndsWithFinishedOnly()
{
    ScriptedServer server;
    server.setSilent();
    HttpClient client;
    Recorder recorder(client);
    const auto abortOnConnect = QObject::connect(&client, &HttpClient::connected, &client, &HttpClient::abort);

    QVERIFY(!client.getAndWait(server.url("/x")));
    QCOMPARE(client.failure(), HttpClient::Failure::Aborted);
    QCOMPARE(recorder.events, (QStringList{"hostResolved", "connected", "finished"}));
    QVERIFY(!client.isBusy());

    // The client is usable again afterwards.
    QObject::disconnect(abortOnConnect);
    server.setReply("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n");
    QVERIFY(client.getAndWait(server.url("/x")));
}

void TestHttpClient::abortedLookupDoesNotSteerTheNextTransfer()
{
    ScriptedServer server; // on 127.0.0.1 only
    server.setReply("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n");
    HttpClient client;
    // Now cached: the next look-up of that name answers at once, abort or not.
    QVERIFY(client.getAndWait(server.url("/first")));
    QVERIFY(client.get(server.url("/aborted")));
    client.abort();

    QUrl elsewhere = server.url("/next");
    elsewhere.setHost(QStringLiteral("127.0.0.2"));
    QVERIFY(!client.getAndWait(elsewhere));
    QCOMPARE(client.failure(), HttpClient::Failure::ConnectFailed);
    QCOMPARE(server.requests().size(), 1);
}

void TestHttpClient::oversizedBodyIsRefused()
{
    ScriptedServer server;
    server.setReply("HTTP/1.1 200 OK\r\nContent-Length: 17\r\n\r\n", true);
    HttpClient client;
    client.setLimits({1024, 16});

    QVERIFY(!client.getAndWait(server.url("/x")));
    QCOMPARE(client.failure(), HttpClient::Failure::BodyTooLarge);
}

void TestHttpClient::unusableRequestsAreRefused()
{
    HttpClient client;
    QSignalSpy finished(&client, &HttpClient::finished);
    QVERIFY(!client.getAndWait(QUrl(QStringLiteral("ftp://127.0.0.1/cable.txt"))));
    QVERIFY(!client.get(QUrl(QStringLiteral("http:///cable.txt"))));
    client.setProxy(QStringLiteral("127.0.0.1"), 0);
    QVERIFY(!client.get(QUrl(QStringLiteral("http://127.0.0.1/cable.txt"))));
    QCOMPARE(client.failure(), HttpClient::Failure::InvalidRequest);
    QCOMPARE(finished.count(), 0);
}

QTEST_GUILESS_MAIN(TestHttpClient)
#include "tst_httpclient.moc"
