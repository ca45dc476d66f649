#include "common/textcodec.h"

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
};

QTEST_GUILESS_MAIN(TestTextCodec)
#include "tst_textcodec.moc"
