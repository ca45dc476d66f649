#include "http/request.h"
#include "http/requestkind.h"
#include "http/responseparser.h"
#include "tests/support/datacolumns.h"

#include <QTest>

using http::ResponseParser;
using Error = http::ResponseParser::Error;

Q_DECLARE_METATYPE(http::ResponseParser::Error)

class TestProtocol : public QObject {
    Q_OBJECT

private slots:
    void completeResponses_data();
    void completeResponses();
    void brokenResponses_data();
    void brokenResponses();
    void requestBytes();
    void requestKindTexts();
};

void TestProtocol::completeResponses_data()
{
    testsupport::columns<QByteArray, bool, int, QByteArray>("response", "needsClose", "code", "body");

    QTest::newRow("content-length, extra bytes ignored")
        << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\nabcdEXTRA") << false << 200 << QByteArray("abcd");
    QTest::newRow("chunked with extension, trailer, bare LF")
        << QByteArray("HTTP/1.1 200 OK\nTransfer-Encoding: Chunked\n\n3;name=v\nabc\n"
                      "A\r\n0123456789\r\n0\r\nX-Trailer: 1\r\n\r\n")
        << false << 200 << QByteArray("abc0123456789");
    QTest::newRow("chunked wins over content-length")
        << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 99\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nok\r\n0\r\n\r\n")
        << false << 200 << QByteArray("ok");
    QTest::newRow("until close")
        << QByteArray("HTTP/1.0 200 OK\r\n\r\nline 1\r\nline 2\r\n") << true << 200 << QByteArray("line 1\r\nline 2\r\n");
    QTest::newRow("identity coding, until close")
        << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 2\r\nTransfer-Encoding: identity\r\n\r\nabc") << true << 200
        << QByteArray("abc");
    QTest::newRow("interim 100 then final")
        << QByteArray("HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 404 Not Found\r\nContent-Length: 2\r\n\r\nno")
        << false << 404 << QByteArray("no");
    QTest::newRow("204 has no body")
        << QByteArray("HTTP/1.1 204 No Content\r\nContent-Length: 10\r\n\r\n") << false << 204 << QByteArray();
}

// Every response must read the same whether it arrives at once or byte by byte.
void TestProtocol::completeResponses()
{
    QFETCH(QByteArray, response);
    QFETCH(bool, needsClose);
    QFETCH(int, code);
    QFETCH(QByteArray, body);

    for (const int slice : {int(response.size()), 1}) {
        ResponseParser parser;
        for (qsizetype i = 0; i < response.size(); i += slice)
            parser.feed(QByteArrayView(response).sliced(i, std::min<qsizetype>(slice, response.size() - i)));
        QCOMPARE(parser.isComplete(), !needsClose);
        if (needsClose)
            parser.finish();
        QVERIFY2(parser.isComplete(), qPrintable(QString("slice %1").arg(slice)));
        QCOMPARE(parser.statusCode(), code);
        QCOMPARE(parser.body(), body);
        // Only such a body can be cut short unnoticed; its readers check it themselves.
        QCOMPARE(parser.bodyEndsAtClose(), needsClose);
    }
}

void TestProtocol::brokenResponses_data()
{
    testsupport::columns<QByteArray, Error>("response", "error");

    const QByteArray chunked = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
    QTest::newRow("nothing at all") << QByteArray() << Error::Truncated;
    QTest::newRow("cut inside the headers") << QByteArray("HTTP/1.1 200 OK\r\nContent-Len") << Error::Truncated;
    QTest::newRow("cut inside a chunk") << chunked + "5\r\nabc" << Error::Truncated;
    QTest::newRow("no last chunk") << chunked + "5\r\nabcde\r\n" << Error::Truncated;
    QTest::newRow("cut before content-length")
        << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nabc") << Error::Truncated;
    QTest::newRow("html instead of a status line") << QByteArray("<html><body>hello</body></html>\r\n") << Error::Malformed;
    QTest::newRow("status code not numeric") << QByteArray("HTTP/1.1 2x0 OK\r\n\r\n") << Error::Malformed;
    QTest::newRow("header without colon") << QByteArray("HTTP/1.1 200 OK\r\nbroken\r\n\r\n") << Error::Malformed;
    QTest::newRow("conflicting lengths")
        << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 4\r\nContent-Length: 5\r\n\r\nabcd") << Error::Malformed;
    QTest::newRow("negative length") << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: -4\r\n\r\n") << Error::Malformed;
    // Never asked for: the body would be kept still encoded.
    QTest::newRow("compressed, chunked")
        << QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip, chunked\r\n\r\n2\r\nok\r\n0\r\n\r\n")
        << Error::Malformed;
    QTest::newRow("compressed, until close")
        << QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nTransfer-Encoding: gzip\r\n\r\nok")
        << Error::Malformed;
    QTest::newRow("chunk size not hex") << chunked + "zz\r\n" << Error::Malformed;
    QTest::newRow("chunk longer than announced") << chunked + "2\r\nabc\r\n0\r\n\r\n" << Error::Malformed;
    QTest::newRow("header block over limit")
        << QByteArray("HTTP/1.1 200 OK\r\nX-Long: ") + QByteArray(200, 'a') << Error::HeaderTooLarge;
    QTest::newRow("content-length over limit")
        << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 33\r\n\r\n") << Error::BodyTooLarge;
    QTest::newRow("chunks over limit") << chunked + "20\r\n" + QByteArray(32, 'a') + "\r\n1\r\n" << Error::BodyTooLarge;
    QTest::newRow("body until close over limit") << QByteArray("HTTP/1.1 200 OK\r\n\r\n") + QByteArray(33, 'a')
                                                  << Error::BodyTooLarge;
}

void TestProtocol::brokenResponses()
{
    QFETCH(QByteArray, response);
    QFETCH(Error, error);

    ResponseParser parser({128, 32});
    parser.feed(response);
    parser.finish();
    QVERIFY(parser.hasFailed());
    QVERIFY(!parser.isComplete());
    QCOMPARE(parser.error(), error);
}

void TestProtocol::requestBytes()
{
    QCOMPARE(http::buildGetRequest(QUrl("http://user:pw@maj.example/a%20b/cable.txt?x=1#frag"), false),
             QByteArray("GET /a%20b/cable.txt?x=1 HTTP/1.1\r\nHost: maj.example\r\nConnection: close\r\n\r\n"));
    QCOMPARE(http::buildGetRequest(QUrl("http://user:pw@maj.example"), true),
             QByteArray("GET http://maj.example/ HTTP/1.1\r\nHost: maj.example\r\nConnection: close\r\n\r\n"));
    QCOMPARE(http::buildGetRequest(QUrl("http://[::1]:8080/c"), false),
             QByteArray("GET /c HTTP/1.1\r\nHost: [::1]:8080\r\nConnection: close\r\n\r\n"));
}

void TestProtocol::requestKindTexts()
{
    QStringList names;
    for (int kind = 0; kind <= int(http::RequestKind::Wrapped); ++kind)
        names << http::requestKindName(http::RequestKind(kind));
    QCOMPARE(names, (QStringList{"Get", "Options", "Head", "Post", "Put", "Patch", "Copy", "Move", "Delete", "Link",
                                 "UnLink", "Trace", "Wrapped"}));
    QCOMPARE(http::requestResultText(http::RequestKind::Get, true), QString("Get Succeeded"));
    QCOMPARE(http::requestResultText(http::RequestKind::Head, false), QString("Head Failed"));
    QCOMPARE(http::requestResultText(http::RequestKind(13), true), QString());
    QCOMPARE(http::requestResultText(http::RequestKind(-1), false), QString());
}

QTEST_GUILESS_MAIN(TestProtocol)
#include "tst_responseparser.moc"
