#pragma once

#include "common/captiontable.h"
#include "configtool/cablelist/cablelistupdate.h"
#include "configtool/ui/windowcontext.h"
#include "http/httpclient.h"

#include <QByteArray>
#include <QDialog>

#include <functional>

class QFileDialog;
class QLabel;
class QProgressBar;
class QPushButton;

namespace configtool {

using common::CaptionRegistry;

// The cable list update window: replaces the cable.txt that the program reads
// with the list on the update server, or with a cable.txt picked on disk.
//
// Test and diagnostic override, not a user setting: when the environment
// variable SETRIX_UPDATE_URL is set at creation, the download fetches that
// address (e.g. "http://127.0.0.1:8000/Update/cable.txt") instead of the
// update server's.
class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(UpdateWindowContext context, QWidget *parent = nullptr);
    void registerCaptions(CaptionRegistry &registry);

    // Asks for the file to take; an empty path means the user cancelled.
    using FileChooser = std::function<QString()>;
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }

    http::HttpClient &httpClient() { return m_client; }
    QUrl updateUrl() const { return m_download.url(); }
    bool isDownloading() const { return m_downloading; }
    QString cableListPath() const;

    // Handlers.
    void Button1Click(); // "&Internet"
    void Button2Click(); // "&Annuler": stops a transfer, else closes
    void Button3Click(); // "&Rechercher..."

    // Controls.
    QLabel *Label1;
    QProgressBar *ProgressBar1;
    QPushButton *Button2;
    QPushButton *Button3;
    QPushButton *Button1;
    QFileDialog *OpenDialog1;
    QByteArray Memo1; // the text about to be written to cable.txt

public slots:
    // Closing the window during a transfer abandons the transfer.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void fitToCaptions();
    bool runDownload();
    void setStatusLine(const QString &text);
    void setProgress(qint64 maximum, qint64 position);
    void resetProgress();

    UpdateWindowContext m_context;
    http::HttpClient m_client;
    CableListDownload m_download;
    FileChooser m_chooseFile;
    bool m_downloading = false;
    bool m_cancelled = false;
    QString m_connectionMessage; // shown once the transfer has ended
};

} // namespace configtool
