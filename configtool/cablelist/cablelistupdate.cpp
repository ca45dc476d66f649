#include "configtool/cablelist/cablelistupdate.h"

#include "common/filereading.h"
#include "common/filereplace.h"
#include "common/usererror.h"
#include "configtool/addedmessages.h"
#include "configtool/cablelist/cablelistcheck.h"
#include "configtool/cablelist/cablelistdate.h"
#include "http/httpclient.h"

#include <QScopeGuard>

namespace configtool {

namespace {

using Failure = http::HttpClient::Failure;

QString failureReason(const common::AddedTexts &texts, const http::HttpClient &client)
{
    switch (client.failure()) {
    case Failure::CertificateRefused:
        return texts.text(added::certificateRefused).arg(client.failureDetail());
    case Failure::SecureConnectionFailed:
        return texts.text(added::secureConnectionFailed).arg(client.failureDetail());
    case Failure::ProxyRefused:
        return texts.text(added::proxyRefused).arg(client.failureDetail());
    case Failure::InvalidRequest:
        return texts.text(added::badAddress);
    case Failure::HostNotFound:
    case Failure::ConnectFailed:
    case Failure::ConnectTimedOut:
        return texts.text(added::cannotConnect);
    case Failure::ReplyTimedOut:
        return texts.text(added::serverSilent);
    case Failure::ConnectionLost:
        return texts.text(added::downloadInterrupted);
    case Failure::BodyTooLarge:
        return texts.text(added::fileTooLarge);
    case Failure::MalformedReply:
    case Failure::HeaderTooLarge:
    case Failure::None:
    case Failure::Aborted:
        break;
    }
    return texts.text(added::unreadableReply);
}

} // namespace

QUrl cableListUpdateUrl()
{
    return QUrl(QStringLiteral("http://update.setrix.example/Update/cable.txt"));
}

QString keptListText(const common::AddedTexts &texts, const QString &reason)
{
    return texts.text(added::listKept).arg(reason);
}

CableListDownload::CableListDownload(http::HttpClient &client, const common::AddedTexts &texts, QObject *parent)
    : QObject(parent), m_client(client), m_texts(texts), m_url(cableListUpdateUrl())
{
    using http::HttpClient;
    const auto fixedLine = [this](const char *text) { return [this, text] { report(QString::fromUtf8(text)); }; };
    connect(&client, &HttpClient::hostResolved, this, fixedLine("Host Resolved"));
    connect(&client, &HttpClient::connected, this, fixedLine("Connect"));
    connect(&client, &HttpClient::statusText, this, [this](const QString &text) {
        report(m_client.statusCode() == 404 ? QStringLiteral("Object Not Found") : text);
    });
    connect(&client, &HttpClient::packetReceived, this, [this](qint64 received, qint64 expected) {
        if (m_running)
            emit progress(qMax<qint64>(expected, 0), received);
    });
    connect(&client, &HttpClient::requestDone, this, [this](http::RequestKind kind, bool succeeded) {
        report(http::requestResultText(kind, succeeded));
    });
    connect(&client, &HttpClient::connectionFailed, this, [this] {
        if (m_running)
            emit connectionFailed(connectionFailureText());
    });
    connect(&client, &HttpClient::disconnected, this, fixedLine("Received complete"));
}

// The client may serve others: only our own transfer is reported. An empty
// text (an unknown request kind) leaves the status line as it is.
void CableListDownload::report(const QString &text)
{
    if (m_running && !text.isEmpty())
        emit statusLine(text);
}

bool CableListDownload::run(const ProxySettings &settings, const QString &cableListPath)
{
    if (m_running)
        return false;
    m_running = true;
    m_cancelled = false;
    const auto done = qScopeGuard([this] { m_running = false; });

    if (settings.enableProxy == 1)
        m_client.setProxy(settings.proxy, settings.port);
    else
        m_client.setProxy(QString(), 0);

    m_client.getAndWait(m_url);
    if (m_cancelled)
        return false;
    const QString failure = outcomeText();
    if (!failure.isEmpty()) {
        emit statusLine(failure);
        return false;
    }
    writeCableList(cableListPath, m_client.body());
    return true;
}

void CableListDownload::cancel()
{
    if (!m_running)
        return;
    m_cancelled = true;
    m_client.abort();
}

// A refused certificate or tunnel says why; "Connection Failed" would send
// the user looking for a network fault.
QString CableListDownload::connectionFailureText() const
{
    switch (m_client.failure()) {
    case Failure::CertificateRefused:
    case Failure::SecureConnectionFailed:
    case Failure::ProxyRefused:
        return outcomeText();
    default:
        return QStringLiteral("Connection Failed");
    }
}

// Why the last reply cannot replace the cable list; empty when it can.
QString CableListDownload::outcomeText() const
{
    if (!m_client.succeeded())
        return keptListText(m_texts, failureReason(m_texts, m_client));
    const int code = m_client.statusCode();
    if (code == 404)
        return keptListText(m_texts, m_texts.text(added::listNotOnServer));
    if (code != 200)
        return keptListText(m_texts, m_texts.text(added::serverError).arg(code));
    // An error page or a portal's login page can come with a 200.
    if (!cableListDate(firstLineOf(m_client.body())).isValid())
        return keptListText(m_texts, m_texts.text(added::notACableList));
    if (m_client.bodyEndedByClose() && !isWholeCableList(m_client.body()))
        return keptListText(m_texts, m_texts.text(added::downloadIncomplete));
    return {};
}

ChosenCableList readChosenCableList(const QString &path)
{
    ChosenCableList list;
    list.bytes = common::readWholeFile(path);
    const QString line = firstLineOf(list.bytes);
    list.date = chosenListDate(line);
    if (!list.date.isValid())
        throw common::UserError::notADate(line);
    return list;
}

bool isOlderThanCurrentList(const QDate &chosen, const QDate &current)
{
    return current.isValid() && chosen < current;
}

void writeCableList(const QString &path, const QByteArray &bytes)
{
    if (!common::replaceFile(path, bytes).ok())
        throw common::UserError::cannotCreate(path);
}

} // namespace configtool
