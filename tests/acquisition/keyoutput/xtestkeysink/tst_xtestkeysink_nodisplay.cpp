// Without an X display the XTest sink refuses with a text for the user.
#include "acquisition/keyoutput/xtestkeysink.h"
#include "common/usererror.h"

#include <QTest>

using namespace acquisition;

class TestXTestNoDisplay : public QObject {
    Q_OBJECT
private slots:
    void noDisplayIsAClearError()
    {
        qputenv("DISPLAY", ":4711");
        try {
            XTestKeySink sink;
            QFAIL("a sink was made without a display");
        } catch (const common::UserError &e) {
            QCOMPARE(e.text(), QStringLiteral("Impossible de taper les valeurs au clavier : "
                                              "affichage X « :4711 » inaccessible"));
        }
    }
};

QTEST_GUILESS_MAIN(TestXTestNoDisplay)
#include "tst_xtestkeysink_nodisplay.moc"
