#include "http/httpclient.h"
#include "tests/support/connectproxy.h"
#include "tests/support/datacolumns.h"
#include "tests/support/scriptedserver.h"
#include "tests/support/testcertificates.h"

#include <QTest>

using http::HttpClient;
using testhttp::ConnectProxy;
using testhttp::ScriptedServer;

namespace {

const QByteArray list = "01/02/2024\r\n";

QStringList eventsOf(HttpClient &client, const QUrl &url, bool *succeeded)
{
    QStringList events;
    QObject::connect(&client, &HttpClient::hostResolved, [&events] { events << "hostResolved"; });
    QObject::connect(&client, &HttpClient::connected, [&events] { events << "connected"; });
    QObject::connect(&client, &HttpClient::statusText, [&events](const QString &text) { events << text; });
    QObject::connect(&client, &HttpClient::requestDone, [&events](http::RequestKind kind, bool ok) {
        events << http::requestResultText(kind, ok);
    });
    QObject::connect(&client, &HttpClient::connectionFailed, [&events] { events << "connectionFailed"; });
    QObject::connect(&client, &HttpClient::disconnected, [&events] { events << "disconnected"; });
    *succeeded = client.getAndWait(url);
    QObject::disconnect(&client, nullptr, nullptr, nullptr);
    return events;
}

const QStringList refusedEvents {"hostResolved", "connectionFailed", "Get Failed"};

} // namespace

class TestHttpClientTls : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(m_certificates.make(), qPrintable(m_certificates.error())); }

    void trustedServerAnswers()
    {
        ScriptedServer server(m_certificates.valid());
        server.setReply(testhttp::okReply(list));
        HttpClient client;
        client.trustAlso(m_certificates.authority());
        bool ok = false;

        const QStringList events = eventsOf(client, server.url("/Update/cable.txt", "localhost"), &ok);

        QVERIFY2(ok, qPrintable(client.failureDetail()));
        QCOMPARE(events, (QStringList {"hostResolved", "connected", "HTTP/1.1 200 OK", "Get Succeeded", "disconnected"}));
        QCOMPARE(server.requests(), QList<QByteArray> {"GET /Update/cable.txt HTTP/1.1\r\nHost: localhost:"
                                                       + QByteArray::number(server.port())
                                                       + "\r\nConnection: close\r\n\r\n"});
        QCOMPARE(client.body(), list);
    }

    // Nothing is sent to a server that fails a check, and the failure says why.
    void refusedServers_data()
    {
        testsupport::columns<int, QString, QString>("identity", "host", "reason");
        QTest::newRow("unknown issuer") << 0 << "localhost" << "self-signed";
        QTest::newRow("wrong host name") << 1 << "127.0.0.1" << "host name";
        QTest::newRow("expired") << 2 << "localhost" << "expired";
    }
    void refusedServers()
    {
        QFETCH(int, identity);
        QFETCH(QString, host);
        QFETCH(QString, reason);
        const testhttp::TlsIdentity identities[] = {m_certificates.unknownIssuer(), m_certificates.valid(),
                                                    m_certificates.expired()};
        ScriptedServer server(identities[identity]);
        server.setReply(testhttp::okReply(list));
        HttpClient client;
        client.trustAlso(m_certificates.authority());
        bool ok = true;

        QCOMPARE(eventsOf(client, server.url("/Update/cable.txt", host), &ok), refusedEvents);

        QVERIFY(!ok);
        QCOMPARE(client.failure(), HttpClient::Failure::CertificateRefused);
        QVERIFY2(client.failureDetail().contains(reason, Qt::CaseInsensitive), qPrintable(client.failureDetail()));
        QVERIFY(server.requests().isEmpty());
        QVERIFY(client.body().isEmpty());
    }

    // The proxy is asked for a tunnel; the name is the proxy's to resolve and
    // the certificate is still checked against it.
    void throughProxyTunnel()
    {
        ScriptedServer server(m_certificates.valid());
        server.setReply(testhttp::okReply(list));
        ConnectProxy proxy(server.port());
        HttpClient client;
        client.trustAlso(m_certificates.authority());
        client.setProxy("127.0.0.1", proxy.port());
        bool ok = false;

        const QStringList events = eventsOf(client, QUrl("https://cables.invalid:8443/Update/cable.txt"), &ok);

        QVERIFY2(ok, qPrintable(client.failureDetail()));
        QCOMPARE(events, (QStringList {"hostResolved", "connected", "HTTP/1.1 200 OK", "Get Succeeded", "disconnected"}));
        QCOMPARE(proxy.requests(),
                 QList<QByteArray> {"CONNECT cables.invalid:8443 HTTP/1.1\r\nHost: cables.invalid:8443\r\n\r\n"});
        QCOMPARE(server.requests(), QList<QByteArray> {"GET /Update/cable.txt HTTP/1.1\r\nHost: cables.invalid:8443\r\n"
                                                       "Connection: close\r\n\r\n"});
        QCOMPARE(client.body(), list);

        // The default port, and a proxy's refusal.
        proxy.setRefusal("HTTP/1.1 403 Forbidden\r\nContent-Length: 0\r\n\r\n");
        QCOMPARE(eventsOf(client, QUrl("https://cables.invalid/Update/cable.txt"), &ok), refusedEvents);
        QCOMPARE(proxy.requests().last(), "CONNECT cables.invalid:443 HTTP/1.1\r\nHost: cables.invalid:443\r\n\r\n");
        QCOMPARE(client.failure(), HttpClient::Failure::ProxyRefused);
        QCOMPARE(client.failureDetail(), "HTTP/1.1 403 Forbidden");
        QCOMPARE(server.requests().size(), 1);
    }

    void tunnelledServerIsCheckedToo()
    {
        ScriptedServer server(m_certificates.expired());
        ConnectProxy proxy(server.port());
        HttpClient client;
        client.trustAlso(m_certificates.authority());
        client.setProxy("127.0.0.1", proxy.port());
        bool ok = true;

        QCOMPARE(eventsOf(client, QUrl("https://localhost/Update/cable.txt"), &ok), refusedEvents);
        QCOMPARE(client.failure(), HttpClient::Failure::CertificateRefused);
        QVERIFY(server.requests().isEmpty());
    }

private:
    testhttp::TestCertificates m_certificates;
};

QTEST_GUILESS_MAIN(TestHttpClientTls)
#include "tst_httpclient_tls.moc"
