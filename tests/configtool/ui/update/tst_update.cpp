// The cable list update window over a real main window (fake serial ports), with
// an HTTP server inside the test.
#include "configtool/ui/setrixprogram.h"
#include "configtool/ui/update.h"
#include "tests/support/cablelistkept.h"
#include "tests/support/datacolumns.h"
#include "tests/support/fakes.h"
#include "tests/support/files.h"
#include "tests/support/scriptedserver.h"
#include "tests/support/widgets/messageboxanswerer.h"
#include "tests/support/widgets/setrixwindows.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace configtool;
using testhttp::ScriptedServer;
using testhttp::okReply;

using testsupport::keptInEnglish;
using testsupport::readBytes;
using testsupport::writeBytes;

namespace {

const QDate today(2024, 6, 1);
const QByteArray currentList = "15/03/2024\r\n51000 LISTE EN SERVICE ;x\r\n";
// Windows-1252 with CR LF, as lists are published: must arrive unchanged.
const QByteArray newerList = "20/05/2024\r\n51001 C\xE2" "ble pied \xE0 coulisse ;9600;8;SANS;$0D;MM;1;;;$3F;;;;;;;\r\n"
                             "51901 ANALOGIQUE 0-10V   ;$00;$00;$00;$00;$00;$00;$20;A;3;\r\n";

// The main window through its first display (English texts, the given kelt.ini),
// and the update window as the program creates it, open.
// The folders outlive the windows.
struct RigFolders {
    QTemporaryDir start;
    QTemporaryDir settings;
};

struct Rig : RigFolders, testsupport::SetrixWindows {
    TForm3 *form = nullptr;
    QStringList shownLines; // Label1 after each event of the client

    explicit Rig(const QByteArray &ini = {}, const QString &updateUrl = {})
    {
        QFile::copy(SOURCE_DIR "/lang/setrix/English.lng", start.filePath("English.lng"));
        writeBytes(start.filePath("cable.txt"), currentList);
        writeBytes(settings.filePath("kelt.ini"), ini);
        if (updateUrl.isEmpty())
            qunsetenv("SETRIX_UPDATE_URL");
        else
            qputenv("SETRIX_UPDATE_URL", updateUrl.toUtf8());

        build(SetrixFolders{settings.path(), start.path(), [] { return today; }, {}});
        form = update;
        form->open();

        // Connected after the window's own handlers, so the label already shows the event.
        http::HttpClient &client = form->httpClient();
        const auto record = [this] { shownLines << form->Label1->text(); };
        QObject::connect(&client, &http::HttpClient::hostResolved, form, record);
        QObject::connect(&client, &http::HttpClient::connected, form, record);
        QObject::connect(&client, &http::HttpClient::statusText, form, record);
        QObject::connect(&client, &http::HttpClient::requestDone, form, record);
        QObject::connect(&client, &http::HttpClient::disconnected, form, record);
    }

    QString cablePath() const { return start.filePath("cable.txt"); }
    bool atRest() const
    {
        return form->isVisible() && form->Button1->isEnabled() && form->Button2->isEnabled()
               && form->Button3->isEnabled() && !form->isDownloading();
    }
};

// What a label or tool tip in the given format shows of a text.
QString shownText(const QString &text, Qt::TextFormat format)
{
    if (format == Qt::PlainText || (format == Qt::AutoText && !Qt::mightBeRichText(text)))
        return text;
    QTextDocument document;
    document.setHtml(text);
    return document.toPlainText();
}

QString updateUrl(const ScriptedServer &server)
{
    return server.url("/Update/cable.txt").toString();
}

} // namespace

class TestUpdateWindow : public QObject {
    Q_OBJECT

private slots:
    void layoutAndCaptions();
    void fileDialogInTheLanguage();
    void downloadReplacesTheList_data();
    void downloadReplacesTheList();
    void unusableRepliesKeepTheList_data();
    void unusableRepliesKeepTheList();
    void serverTextShownAsText();
    void refusedConnection();
    void throughProxyOrDirect();
    void throughTinyproxy();
    void cancelDuringTransfer();
    void listFromDisk_data();
    void listFromDisk();
    void unwritableList();
    void usersOwnList();
};

void TestUpdateWindow::fileDialogInTheLanguage()
{
    Rig rig;
    QStringList dialogs;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, rig.form, [&] {
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            dialogs << dialog->windowTitle() + ": " + dialog->nameFilters().join(u';');
            dialog->reject();
        }
    });
    closer.start(20);
    rig.form->Button3->click();
    QCOMPARE(dialogs, QStringList({"Open: Cable list (cable.txt)"}));
    QCOMPARE(testsupport::readBytes(rig.cablePath()), currentList);
}

void TestUpdateWindow::layoutAndCaptions()
{
    Rig rig;
    TForm3 &f = *rig.form;
    QCOMPARE(f.size(), QSize(249, 85));
    QCOMPARE(f.windowTitle(), QString("Update"));
    QCOMPARE(f.Button3->text(), QString("&Search..."));
    QCOMPARE(f.Button2->text(), QString("&Cancel"));
    QCOMPARE(f.Button1->text(), QString("&Internet"));
    QVERIFY(f.Button1->isDefault());
    QVERIFY(f.Button2->x() < f.Button3->x() && f.Button3->x() < f.Button1->x());
    QVERIFY(f.Label1->y() < f.ProgressBar1->y() && f.ProgressBar1->y() < f.Button1->y());
    QVERIFY(f.Button1->geometry().bottom() < f.height());
    QCOMPARE(f.ProgressBar1->maximum(), 100);
    // Neither these captions nor the built-in French ones are cut.
    TForm3 builtIn(updateWindowContext(*rig.services), rig.main.get());
    builtIn.layout()->activate();
    QCOMPARE(builtIn.Button3->text(), QString("&Rechercher..."));
    for (const TForm3 *form : {&f, &builtIn})
        for (const QPushButton *b : {form->Button1, form->Button2, form->Button3})
            QVERIFY2(b->width() > b->fontMetrics().horizontalAdvance(QString(b->text()).remove('&')), qPrintable(b->text()));
    QCOMPARE(f.updateUrl(), QUrl("http://update.setrix.example/Update/cable.txt"));
    QCOMPARE(f.cableListPath(), rig.cablePath());
}

void TestUpdateWindow::downloadReplacesTheList_data()
{
    testsupport::columns<QByteArray, bool>("reply", "sized");
    QTest::newRow("with its length") << okReply(newerList) << true;
    // Without a length the size is unknown until the server closes: a busy bar.
    QTest::newRow("until the server closes") << QByteArray("HTTP/1.1 200 OK\r\n\r\n") + newerList << false;
}

void TestUpdateWindow::downloadReplacesTheList()
{
    QFETCH(QByteArray, reply);
    QFETCH(bool, sized);
    ScriptedServer server;
    server.setReply(reply);
    Rig rig({}, updateUrl(server));
    QList<QPair<int, int>> bars;
    QObject::connect(&rig.form->httpClient(), &http::HttpClient::packetReceived, rig.form,
                     [&] { bars.append({rig.form->ProgressBar1->maximum(), rig.form->ProgressBar1->value()}); });

    rig.form->Button1->click();

    QCOMPARE(readBytes(rig.cablePath()), newerList);
    QCOMPARE(rig.form->Memo1, newerList);
    QVERIFY(!rig.form->isVisible());
    QCOMPARE(rig.form->result(), int(QDialog::Accepted));
    QCOMPARE(rig.shownLines,
             (QStringList{"Host Resolved", "Connect", "HTTP/1.1 200 OK", "Get Succeeded", "Received complete"}));
    QVERIFY(!bars.isEmpty());
    if (sized)
        QCOMPARE(bars.last(), qMakePair(int(newerList.size()), int(newerList.size())));
    else
        QCOMPARE(bars.last().first, 0);
}

void TestUpdateWindow::unusableRepliesKeepTheList_data()
{
    testsupport::columns<QByteArray, QStringList>("reply", "lines");

    QTest::newRow("404") << QByteArray("HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found")
                         << QStringList{"Object Not Found", "Get Succeeded", "Received complete",
                                        keptInEnglish("Cable list not found on the server")};
    QTest::newRow("body cut halfway")
        << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: ") + QByteArray::number(newerList.size()) + "\r\n\r\n"
               + newerList.left(newerList.size() / 2)
        << QStringList{"HTTP/1.1 200 OK", "Get Failed", "Received complete", keptInEnglish("Download interrupted")};
    QTest::newRow("html page with 200")
        << okReply("<!DOCTYPE html>\r\n<html><body>Connexion au portail</body></html>\r\n")
        << QStringList{"HTTP/1.1 200 OK", "Get Succeeded", "Received complete",
                       keptInEnglish("The file received is not a cable list")};
    // Without a length only the list itself can tell that the connection was cut.
    const QStringList incomplete{"HTTP/1.1 200 OK", "Get Succeeded", "Received complete",
                                 keptInEnglish("Incomplete download")};
    QTest::newRow("cut off, no length") << QByteArray("HTTP/1.1 200 OK\r\n\r\n") + newerList.left(40) << incomplete;
    QTest::newRow("cut off after a line end")
        << QByteArray("HTTP/1.1 200 OK\r\n\r\n") + newerList + "51902 ANALOGIQUE 4-20MA   ;$00;$00\r\n" << incomplete;
}

void TestUpdateWindow::unusableRepliesKeepTheList()
{
    QFETCH(QByteArray, reply);
    QFETCH(QStringList, lines);
    ScriptedServer server;
    server.setReply(reply);
    Rig rig({}, updateUrl(server));
    common::MessageBoxAnswerer boxes;

    rig.form->Button1->click();

    QCOMPARE(readBytes(rig.cablePath()), currentList);
    QCOMPARE(rig.shownLines, QStringList({"Host Resolved", "Connect"}) + lines.mid(0, 3));
    QCOMPARE(rig.form->Label1->text(), lines.last());
    QVERIFY(rig.atRest());
    QVERIFY(boxes.seen().isEmpty());
    // A bar left full beside the failure line would look like success.
    QCOMPARE(rig.form->ProgressBar1->minimum(), 0);
    QCOMPARE(rig.form->ProgressBar1->value(), 0);
}

void TestUpdateWindow::serverTextShownAsText()
{
    const QByteArray status = "HTTP/1.1 200 <b>BOLD</b> <u>x</u> &lt;tag&gt; <img src=\"/local/file\">";
    ScriptedServer server;
    server.setReply(status + "\r\nContent-Length: " + QByteArray::number(newerList.size()) + "\r\n\r\n" + newerList);
    Rig rig({}, updateUrl(server));
    QString label, tip;
    QObject::connect(&rig.form->httpClient(), &http::HttpClient::statusText, rig.form, [&] {
        label = shownText(rig.form->Label1->text(), rig.form->Label1->textFormat());
        tip = shownText(rig.form->Label1->toolTip(), Qt::AutoText);
    });

    rig.form->Button1->click();

    QCOMPARE(label, QString(status));
    QCOMPARE(tip, QString(status));
    QCOMPARE(readBytes(rig.cablePath()), newerList);
}

void TestUpdateWindow::refusedConnection()
{
    Rig rig({}, QString("http://127.0.0.1:%1/Update/cable.txt").arg(ScriptedServer::closedPort()));
    common::MessageBoxAnswerer boxes;
    boxes.answerWith("OK");
    QVERIFY(QTest::qWaitForWindowActive(rig.form));
    rig.form->Button1->setFocus();

    rig.form->Button1->click();

    QCOMPARE(boxes.seen().size(), 1);
    QCOMPARE(boxes.seen().at(0).text, QString("Connection Failed"));
    QCOMPARE(boxes.seen().at(0).buttons, QStringList{"OK"});
    QCOMPARE(rig.form->Label1->text(), keptInEnglish("Cannot connect to the server"));
    QCOMPARE(rig.form->focusWidget(), rig.form->Button1); // Enter tries again
    QCOMPARE(readBytes(rig.cablePath()), currentList);
    QVERIFY(rig.atRest());
}

void TestUpdateWindow::throughProxyOrDirect()
{
    ScriptedServer proxy;
    proxy.setReply(okReply(newerList));
    ScriptedServer direct;
    direct.setReply(okReply(newerList));
    const QByteArray proxyKeys = "[INTERNET]\r\nproxy=127.0.0.1\r\nport=" + QByteArray::number(proxy.port()) + "\r\n";

    // Through the proxy the update server's name is the proxy's to resolve.
    Rig viaProxy(proxyKeys + "enable_proxy=1\r\n");
    viaProxy.form->Button1->click();
    QCOMPARE(proxy.requests(), QList<QByteArray>{"GET http://update.setrix.example/Update/cable.txt HTTP/1.1\r\n"
                                                 "Host: update.setrix.example\r\nConnection: close\r\n\r\n"});
    QCOMPARE(readBytes(viaProxy.cablePath()), newerList);

    Rig straight(proxyKeys + "enable_proxy=0\r\n", updateUrl(direct));
    straight.form->Button1->click();
    QCOMPARE(direct.requests(),
             QList<QByteArray>{"GET /Update/cable.txt HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(direct.port())
                               + "\r\nConnection: close\r\n\r\n"});
    QCOMPARE(proxy.requests().size(), 1);
    QCOMPARE(readBytes(straight.cablePath()), newerList);
}

// A real proxy between the window and the server, when the machine has one.
void TestUpdateWindow::throughTinyproxy()
{
    const QString program = QStandardPaths::findExecutable("tinyproxy", {"/usr/bin", "/usr/sbin"});
    if (program.isEmpty())
        QSKIP("tinyproxy is not installed");
    QTemporaryDir dir;
    const quint16 port = ScriptedServer::closedPort();
    const QString config = dir.filePath("tinyproxy.conf");
    writeBytes(config, QString("Port %1\nListen 127.0.0.1\nAllow 127.0.0.1\nTimeout 10\n"
                             "LogFile \"%2\"\nPidFile \"%3\"\n")
                         .arg(port)
                         .arg(dir.filePath("tinyproxy.log"), dir.filePath("tinyproxy.pid"))
                         .toUtf8());
    QProcess proxy;
    proxy.start(program, {"-d", "-c", config});
    QVERIFY2(proxy.waitForStarted(), qPrintable(proxy.errorString()));
    const auto stop = qScopeGuard([&] {
        proxy.terminate();
        if (!proxy.waitForFinished(5000))
            proxy.kill();
    });
    QVERIFY2(QTest::qWaitFor([&] {
                 QTcpSocket probe;
                 probe.connectToHost(QHostAddress::LocalHost, port);
                 return probe.waitForConnected(200);
             }, 10000),
             "tinyproxy does not listen");
    const QByteArray ini = "[INTERNET]\r\nenable_proxy=1\r\nproxy=127.0.0.1\r\nport=" + QByteArray::number(port) + "\r\n";

    QString downUrl;
    {
        ScriptedServer server;
        server.setReply(okReply(newerList));
        downUrl = updateUrl(server);
        Rig rig(ini, downUrl);
        rig.form->Button1->click();
        QCOMPARE(readBytes(rig.cablePath()), newerList);
        QCOMPARE(server.requests().size(), 1);
        QVERIFY2(server.requests().at(0).startsWith("GET /Update/cable.txt HTTP/1."), server.requests().at(0));
    }

    // The server is gone: the proxy answers with an error page, which must not become the list.
    Rig rig(ini, downUrl);
    rig.form->Button1->click();
    QCOMPARE(readBytes(rig.cablePath()), currentList);
    QVERIFY2(rig.form->Label1->text().startsWith("Server error 5"), qPrintable(rig.form->Label1->text()));
    QVERIFY(rig.form->Label1->text().endsWith(keptInEnglish("")));
    QVERIFY(rig.atRest());
}

void TestUpdateWindow::cancelDuringTransfer()
{
    ScriptedServer server;
    server.setSilent();
    common::MessageBoxAnswerer boxes;

    // "Cancel" while the server says nothing: the transfer stops, the window stays.
    Rig rig({}, updateUrl(server));
    bool busyWhileConnected = false;
    auto cancelOnce = QObject::connect(&rig.form->httpClient(), &http::HttpClient::connected, rig.form, [&] {
        busyWhileConnected = !rig.form->Button1->isEnabled() && !rig.form->Button3->isEnabled()
                             && rig.form->Button2->isEnabled();
        QTimer::singleShot(0, rig.form->Button2, &QPushButton::click);
    });
    rig.form->Button1->click();
    QVERIFY(busyWhileConnected);
    QVERIFY(rig.atRest());
    QCOMPARE(rig.form->Label1->text(), keptInEnglish("Download cancelled"));

    // Closing the window during a transfer ends it too.
    QObject::disconnect(cancelOnce);
    QObject::connect(&rig.form->httpClient(), &http::HttpClient::connected, rig.form,
                     [&] { QTimer::singleShot(0, rig.form, &QDialog::close); });
    rig.form->Button1->click();
    QVERIFY(!rig.form->isVisible());
    QVERIFY(!rig.form->isDownloading());
    QCOMPARE(rig.form->result(), int(QDialog::Rejected));

    // At rest "Cancel" closes the window.
    rig.form->open();
    rig.form->Button2->click();
    QVERIFY(!rig.form->isVisible());

    QCOMPARE(readBytes(rig.cablePath()), currentList);
    QVERIFY(boxes.seen().isEmpty());
}

void TestUpdateWindow::listFromDisk_data()
{
    // chosen empty: the user cancels the open dialog; answer to the older-list question, empty: no question
    testsupport::columns<QByteArray, QString, QString, bool>("chosen", "answer", "error", "replaced");

    QTest::newRow("newer") << newerList << "" << "" << true;
    QTest::newRow("same day") << QByteArray("15/03/2024\r\n51002 MEME JOUR\r\n") << "" << "" << true;
    QTest::newRow("older, kept") << QByteArray("01/01/2024\r\n51003\r\n") << "&No" << "" << false;
    QTest::newRow("older, taken") << QByteArray("01/01/2024\r\n51003\r\n") << "&Yes" << "" << true;
    QTest::newRow("not a date") << QByteArray("Liste\xE9 des c\xE2" "bles\r\n01/01/2024\r\n") << ""
                                << "'Listeé des câbles' is not a valid date" << false;
    QTest::newRow("open dialog cancelled") << QByteArray() << "" << "" << false;
}

void TestUpdateWindow::listFromDisk()
{
    QFETCH(QByteArray, chosen);
    QFETCH(QString, answer);
    QFETCH(QString, error);
    QFETCH(bool, replaced);
    Rig rig;
    QTemporaryDir elsewhere;
    const QString chosenPath = elsewhere.filePath("cable.txt");
    writeBytes(chosenPath, chosen);
    rig.form->setFileChooser([&] { return chosen.isEmpty() ? QString() : chosenPath; });
    common::MessageBoxAnswerer boxes;
    if (!answer.isEmpty())
        boxes.answerWith(answer);

    rig.form->Button3->click();

    QCOMPARE(readBytes(rig.cablePath()), replaced ? chosen : currentList);
    QCOMPARE(rig.form->isVisible(), !replaced);
    if (!answer.isEmpty()) {
        QCOMPARE(boxes.seen().size(), 1);
        const auto &box = boxes.seen().at(0);
        QCOMPARE(box.text, QString("The chosen list is older than the current list.\r\n"
                                   "Do you want to replace it anyway?"));
        QCOMPARE(box.icon, QMessageBox::Information);
        QCOMPARE(box.buttons, QStringList({"&Yes", "&No"}));
    } else if (!error.isEmpty()) {
        QCOMPARE(boxes.seen().size(), 1);
        QCOMPARE(boxes.seen().at(0).title, QString("Error"));
        QCOMPARE(boxes.seen().at(0).text, error);
    } else {
        QVERIFY(boxes.seen().isEmpty());
    }
}

// cable.txt replaced by a folder after start-up: both ways report it and keep the window.
void TestUpdateWindow::unwritableList()
{
    ScriptedServer server;
    server.setReply(okReply(newerList));
    Rig rig({}, updateUrl(server));
    QVERIFY(QFile::remove(rig.cablePath()));
    QVERIFY(QDir(rig.start.path()).mkdir("cable.txt"));
    QTemporaryDir elsewhere;
    writeBytes(elsewhere.filePath("cable.txt"), newerList);
    rig.form->setFileChooser([&] { return elsewhere.filePath("cable.txt"); });
    const QString missing = elsewhere.filePath("absent/cable.txt");
    common::MessageBoxAnswerer boxes;

    rig.form->Button1->click();
    rig.form->Button3->click();
    rig.form->setFileChooser([&] { return missing; });
    rig.form->Button3->click();

    QStringList texts;
    for (const auto &box : boxes.seen())
        texts << box.title + ": " + box.text;
    const QString cannotCreate = "Error: Cannot create file " + rig.cablePath();
    QCOMPARE(texts, QStringList({cannotCreate, cannotCreate, "Error: Cannot open file " + missing}));
    QVERIFY(rig.atRest());
    QVERIFY(QFileInfo(rig.cablePath()).isDir());
}

// Once a user has a list of their own, it is the one in use and the one updated;
// the list shipped with the program stays as it was.
void TestUpdateWindow::usersOwnList()
{
    QTemporaryDir program, settings, data;
    QFile::copy(SOURCE_DIR "/lang/setrix/English.lng", program.filePath("English.lng"));
    writeBytes(program.filePath("cable.txt"), currentList);
    QDir().mkpath(data.filePath("setrix"));
    const QString own = data.filePath("setrix/cable.txt");
    writeBytes(own, "01/05/2024\r\n51000 LISTE DE L'UTILISATEUR ;x\r\n");
    testsupport::FakeClock clock;
    testsupport::FakeSerialPorts ports{clock};
    testsupport::FakeEventPump pump{clock, &ports};
    SetrixServices services(ports, pump, clock,
                            SetrixFolders{settings.path(), program.path(), [] { return today; }, data.filePath("setrix")});
    TForm1 main(services);
    auto *form = new TForm3(updateWindowContext(services), &main);
    main.FormShow();
    QCOMPARE(services.cableListDate, QDate(2024, 5, 1));
    QCOMPARE(form->cableListPath(), own);

    QTemporaryDir elsewhere;
    writeBytes(elsewhere.filePath("cable.txt"), newerList);
    form->setFileChooser([&] { return elsewhere.filePath("cable.txt"); });
    form->open();
    form->Button3->click();
    QCOMPARE(testsupport::readBytes(own), newerList);
    QCOMPARE(testsupport::readBytes(program.filePath("cable.txt")), currentList);
}

QTEST_MAIN(TestUpdateWindow)
#include "tst_update.moc"
