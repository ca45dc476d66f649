#pragma once

#include <QByteArray>
#include <QDate>
#include <QObject>
#include <QString>
#include <QUrl>

namespace common {
class AddedTexts;
}

namespace http {
class HttpClient;
}

namespace configtool {

// The INTERNET keys of kelt.ini.
struct ProxySettings {
    int enableProxy = 0; // 1 = through the proxy
    QString proxy;
    int port = 80;
};

// Where the maker publishes the current cable list.
QUrl cableListUpdateUrl();

// "<reason> : liste actuelle conservée", in the applied language.
QString keptListText(const common::AddedTexts &texts, const QString &reason);

// Downloads the cable list and replaces cable.txt with it, reporting the
// status lines and progress that the update dialog shows, in the language of
// `texts` (which must outlive the download).
class CableListDownload : public QObject {
    Q_OBJECT
public:
    CableListDownload(http::HttpClient &client, const common::AddedTexts &texts, QObject *parent = nullptr);

    void setUrl(const QUrl &url) { m_url = url; }
    QUrl url() const { return m_url; }

    // Returns when the transfer has ended, serving events meanwhile. True when
    // cable.txt was replaced. Otherwise the file is untouched and the last
    // status line says why (no line after cancel()). Throws
    // common::UserError::cannotCreate when the file cannot be written.
    bool run(const ProxySettings &settings, const QString &cableListPath);
    void cancel();

signals:
    void statusLine(const QString &text);
    // maximum is 0 while the size is unknown.
    void progress(qint64 maximum, qint64 position);
    // The dialog shows the message in a message box.
    void connectionFailed(const QString &message);

private:
    void report(const QString &text);
    QString outcomeText() const;
    QString connectionFailureText() const;

    http::HttpClient &m_client;
    const common::AddedTexts &m_texts;
    QUrl m_url;
    bool m_running = false;
    bool m_cancelled = false;
};

// A cable list picked on disk: its exact bytes and the date of its first line.
struct ChosenCableList {
    QByteArray bytes;
    QDate date;
};

// Throws common::UserError::cannotOpen when the file cannot be read and
// notADate (with the first line) when that line is no date.
ChosenCableList readChosenCableList(const QString &path);

// The user is asked before a list older than the one in use replaces it. A
// list in use without a date is older than any.
bool isOlderThanCurrentList(const QDate &chosen, const QDate &current);

// Replaces cable.txt with the bytes unchanged, whole or not at all. Throws
// common::UserError::cannotCreate when it cannot be written.
void writeCableList(const QString &path, const QByteArray &bytes);

} // namespace configtool
