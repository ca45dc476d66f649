#include "common/textcodec.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestTextCodec : public QObject {
    Q_OBJECT
private slots:
    void decodesBothEncodings()
    {
        QCOMPARE(common::decodeText("Fran\xe7" "ais"), QString::fromUtf8("Français"));
        QCOMPARE(common::decodeText("Fran\xc3\xa7" "ais"), QString::fromUtf8("Français"));
        QCOMPARE(common::decodeText("\x80"), QString::fromUtf8("€"));
    }

    void encodesTheCodePageOnly()
    {
        QCOMPARE(common::encodeWindows1252(QString::fromUtf8("é€中😀a\x1a")), QByteArray("\xe9\x80??a\x1a"));
    }

    void replacesFilesWhole()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("f.txt");
        QVERIFY(common::writeFileAtomically(path, "one"));
        QVERIFY(common::writeFileAtomically(path, "two"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("two"));
        // A path under a regular file can never be written, even by root.
        QVERIFY(!common::writeFileAtomically(path + "/x", "three"));
    }
};

QTEST_GUILESS_MAIN(TestTextCodec)
#include "test_textcodec.moc"
