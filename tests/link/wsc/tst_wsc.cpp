// The termios serial layer on a pseudo-terminal, and the port map.
#include "link/wsc.h"

#include "link/acquisitionlink.h"
#include "link/configtoollink.h"
#include "link/eventpump.h"
#include "tests/support/unprivileged.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <stdlib.h>
#include <unistd.h>

using namespace muxlink;

namespace {

// The far end of a pseudo-terminal, standing in for the multiplexer.
class PtyPeer {
public:
    PtyPeer()
    {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        ::grantpt(master);
        ::unlockpt(master);
        slavePath = QString::fromLocal8Bit(::ptsname(master));
        // Keep the line alive while the program has the port closed.
        keepAlive = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
        termios tio {};
        ::tcgetattr(keepAlive, &tio);
        ::cfmakeraw(&tio); // no echo of what the peer sends before the port opens
        ::tcsetattr(keepAlive, TCSANOW, &tio);
    }
    ~PtyPeer() { hangUp(); }
    void hangUp()
    {
        if (keepAlive >= 0)
            ::close(keepAlive);
        if (master >= 0)
            ::close(master);
        keepAlive = master = -1;
    }
    void send(const QByteArray &bytes) { QCOMPARE(::write(master, bytes.constData(), bytes.size()), bytes.size()); }
    QByteArray receive(int expected)
    {
        QByteArray got;
        for (int tries = 0; got.size() < expected && tries < 100; ++tries) {
            char buffer[256];
            const ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n > 0)
                got.append(buffer, n);
            else
                QTest::qWait(10);
        }
        return got;
    }
    int master = -1;
    int keepAlive = -1;
    QString slavePath;
};

// As a user who may not open the device: the refusal is told apart from a
// missing device, and both programs' scans name the device.
void checkPortClosedToTheUser(const QString &folder)
{
    const QString device = QDir(folder).filePath("port");
    Wsc wsc(PortMap({QDir(folder).filePath("missing"), device}));
    QCOMPARE(wsc.SioReset(0, 2048, 512), SIO_CANNOT_OPEN);
    QCOMPARE(wsc.SioReset(1, 2048, 512), SIO_NO_PERMISSION);
    SteadyClock clock;
    QtEventPump pump;
    ConfigToolLink config(wsc, pump, clock);
    QCOMPARE(config.scan(), ScanResult::NotFound);
    QCOMPARE(config.deniedDevices(), device);
    AcquisitionLink acquisition(wsc, pump, clock);
    QVERIFY(!acquisition.scan());
    QCOMPARE(acquisition.deniedDevices(), device);
}

} // namespace

class TestSerial : public QObject {
    Q_OBJECT
private slots:
    void portMapFromList()
    {
        const PortMap map = PortMap::fromList(" /dev/a , ,/dev/c");
        QCOMPARE(map.device(0), QString("/dev/a"));
        QCOMPARE(map.device(1), QString());
        QCOMPARE(map.device(2), QString("/dev/c"));
        QCOMPARE(map.device(3), QString());
        QCOMPARE(map.device(-1), QString());
        QStringList many;
        for (int i = 0; i < 20; ++i)
            many << QString("/dev/x%1").arg(i);
        QCOMPARE(PortMap::fromList(many.join(',')).devices().size(), kPortCount);
    }

    void portMapDiscovery()
    {
        QTemporaryDir dev;
        auto touch = [&](const QString &name) {
            QFile f(dev.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
        };
        for (const char *name : {"ttyS1", "ttyS0", "ttyUSB10", "ttyUSB2", "ttyACM0", "tty0", "null"})
            touch(name);
        QVERIFY(QDir(dev.path()).mkpath("serial/by-id"));
        QVERIFY(QFile::link("../../ttyUSB10", dev.filePath("serial/by-id/usb-Adapter-if00")));
        const QStringList expected {dev.filePath("ttyUSB10"), dev.filePath("ttyUSB2"), dev.filePath("ttyACM0"),
                                    dev.filePath("ttyS0"), dev.filePath("ttyS1")};
        QCOMPARE(PortMap::discover(dev.path()).devices(), expected);
    }

    // Numbers in names sort as numbers in every group; a by-id link is listed
    // once, under its target; a dangling link is no port; sixteen at most.
    void portMapDiscoveryOrderAndLimit()
    {
        QTemporaryDir dev;
        auto touch = [&](const QString &name) {
            QFile f(dev.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
        };
        for (const char *name : {"ttyUSB10", "ttyUSB2", "ttyUSB1", "ttyACM11", "ttyACM3", "ttyUSBserial"})
            touch(name);
        for (int n = 31; n >= 0; --n)
            touch(QString("ttyS%1").arg(n));
        QVERIFY(QDir(dev.path()).mkpath("serial/by-id"));
        QVERIFY(QFile::link("../../ttyACM3", dev.filePath("serial/by-id/usb-B-if00")));
        QVERIFY(QFile::link("../../ttyUSB10", dev.filePath("serial/by-id/usb-A-if00")));
        QVERIFY(QFile::link("../../ttyUSB99", dev.filePath("serial/by-id/usb-C-if00")));

        QStringList expected;
        for (const char *name : {"ttyUSB10", "ttyACM3", "ttyUSB1", "ttyUSB2", "ttyUSBserial", "ttyACM11"})
            expected << dev.filePath(name);
        for (int n = 0; expected.size() < kPortCount; ++n)
            expected << dev.filePath(QString("ttyS%1").arg(n));
        QCOMPARE(PortMap::discover(dev.path()).devices(), expected);
    }

    void refusesWhatIsNoSerialPort()
    {
        QTemporaryDir dir;
        QFile plain(dir.filePath("plain"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        Wsc wsc(PortMap({dir.filePath("missing"), plain.fileName(), "/dev/null", ""}));
        for (int port = 0; port < 4; ++port)
            QVERIFY2(wsc.SioReset(port, 2048, 512) < 0, qPrintable(QString::number(port)));
        QVERIFY(wsc.SioReset(16, 2048, 512) < 0);
        QCOMPARE(wsc.SioGetc(0), SIO_NOT_OPEN);
        QVERIFY(wsc.SioPutc(0, 'x') != 0);
        QVERIFY(wsc.SioDone(0) < 0); // closing a closed port is harmless
    }

    void portClosedToTheUser()
    {
        if (testsupport::isUnprivilegedChild())
            return checkPortClosedToTheUser(testsupport::childFolder());
        PtyPeer peer;
        QTemporaryDir dir;
        QVERIFY(QFile::link(peer.slavePath, dir.filePath("port")));
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                      | QFile::ReadOther | QFile::ExeOther));
        // Closed to its owner too, for a run as root without its power over permissions.
        QCOMPARE(::chmod(QFile::encodeName(peer.slavePath).constData(), 0), 0);
        testsupport::runUnprivileged(dir.path(), checkPortClosedToTheUser);
    }

    void exchangesBytes()
    {
        PtyPeer peer;
        QTemporaryDir dir;
        const QString linkPath = dir.filePath("mux");
        QVERIFY(QFile::link(peer.slavePath, linkPath));
        peer.send("stale"); // sent before the port is opened: flushed by the reset
        QTest::qWait(20);
        Wsc wsc(PortMap({QString(), linkPath}));
        QCOMPARE(wsc.SioReset(1, 2048, 512), SIO_OK);
        QCOMPARE(wsc.SioBaud(1, kBaud9600), SIO_OK);
        QCOMPARE(wsc.SioParms(1, 0, 2, 8), SIO_OK);
        QCOMPARE(wsc.SioFlow(1, 'N'), SIO_OK);
        QCOMPARE(wsc.SioDTR(1, 'S'), SIO_OK); // no modem lines on a pseudo-terminal
        QCOMPARE(wsc.SioRTS(1, 'S'), SIO_OK);
        QVERIFY(wsc.SioHandle(1) >= 0);
        QCOMPARE(wsc.SioGetc(1), SIO_NO_DATA);

        const QByteArray command("@*M0\x0D\r\n");
        for (char c : command)
            QCOMPARE(wsc.SioPutc(1, static_cast<unsigned char>(c)), 0);
        QCOMPARE(peer.receive(command.size()), command);

        QCOMPARE(wsc.SioWait(1, 30), 0);
        peer.send(QByteArray("a\x00\xFF\n", 4));
        QCOMPARE(wsc.SioWait(1, 1000), 1);
        QCOMPARE(wsc.SioGetc(1), int('a'));
        QCOMPARE(wsc.SioGetc(1), 0);
        QCOMPARE(wsc.SioGetc(1), 0xFF);
        QCOMPARE(wsc.SioGetc(1), int('\n'));
        QCOMPARE(wsc.SioGetc(1), SIO_NO_DATA);
        QCOMPARE(wsc.SioDone(1), SIO_OK);
        QCOMPARE(wsc.SioGetc(1), SIO_NOT_OPEN);
    }

    void reportsDeviceGone()
    {
        PtyPeer peer;
        Wsc wsc(PortMap({peer.slavePath}));
        QCOMPARE(wsc.SioReset(0, 2048, 512), SIO_OK);
        peer.send("V1\n");
        QCOMPARE(wsc.SioWait(0, 1000), 1);
        QCOMPARE(wsc.SioGetc(0), int('V'));
        peer.hangUp();
        // Not the ordinary "nothing waiting": the caller must stop waiting.
        QCOMPARE(wsc.SioGetc(0), int('1')); // already taken from the device
        QCOMPARE(wsc.SioGetc(0), int('\n'));
        QCOMPARE(wsc.SioGetc(0), SIO_GONE);
        QCOMPARE(wsc.SioWait(0, 1000), SIO_GONE);
        QVERIFY(wsc.SioPutc(0, 'x') < 0);
    }

    // Whichever call meets the hang-up first, the caller learns the device is gone.
    void reportsDeviceGoneToEveryCall()
    {
        for (const char *first : {"write", "wait", "read"}) {
            PtyPeer peer;
            Wsc wsc(PortMap({peer.slavePath}));
            QCOMPARE(wsc.SioReset(0, 2048, 512), SIO_OK);
            peer.hangUp();
            const QByteArray call(first);
            const int result = call == "write" ? wsc.SioPutc(0, 'x')
                : call == "wait"               ? wsc.SioWait(0, 1000)
                                               : wsc.SioGetc(0);
            // A wait may wake as if a byte were there: the read that follows tells.
            QVERIFY2(result == SIO_GONE || (call == "wait" && result == 1), first);
            QCOMPARE(wsc.SioGetc(0), SIO_GONE);
            QCOMPARE(wsc.SioPutc(0, 'x'), SIO_GONE);
            QCOMPARE(wsc.SioDone(0), SIO_OK);
        }
    }
};

QTEST_GUILESS_MAIN(TestSerial)
#include "tst_wsc.moc"
