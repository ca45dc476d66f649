// Every window of both programs has a fixed size, and tells the window
// manager so: equal minimum and maximum sizes, and no maximise box among the
// functions and decorations it asks for.
#include "acquisition/ui/quorixprogram.h"
#include "configtool/ui/setrixprogram.h"
#include "tests/support/recordingkeysink.h"
#include "tests/support/widgets/messageboxanswerer.h"

#include <QApplication>
#include <QFileDialog>
#include <QLayout>
#include <QTemporaryDir>
#include <QTest>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

// _MOTIF_WM_HINTS: flags, functions, decorations.
constexpr unsigned long kHasFunctions = 1, kHasDecorations = 2;
constexpr unsigned long kFunctionAll = 1, kFunctionMaximise = 16;
constexpr unsigned long kDecorationAll = 1, kDecorationMaximise = 64;

// What the window asks of the window manager, or why it does not fit.
QString frameFault(Display *display, unsigned long window)
{
    XSizeHints size {};
    long supplied = 0;
    if (!XGetWMNormalHints(display, window, &size, &supplied) || !(size.flags & PMinSize)
        || !(size.flags & PMaxSize) || size.min_width != size.max_width || size.min_height != size.max_height)
        return QStringLiteral("resizable");

    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    const Atom motif = XInternAtom(display, "_MOTIF_WM_HINTS", False);
    QString fault;
    if (XGetWindowProperty(display, window, motif, 0, 5, False, motif, &type, &format, &count, &after, &data)
            == Success
        && data && count >= 3) {
        const auto *hints = reinterpret_cast<const unsigned long *>(data);
        if ((hints[0] & kHasFunctions) && (hints[1] & (kFunctionAll | kFunctionMaximise)))
            fault = QStringLiteral("maximise function");
        if ((hints[0] & kHasDecorations) && (hints[2] & (kDecorationAll | kDecorationMaximise)))
            fault = QStringLiteral("maximise box");
    } else {
        fault = QStringLiteral("no frame hints: every function offered");
    }
    if (data)
        XFree(data);
    return fault;
}

} // namespace

class TestWindowFrames : public QObject {
    Q_OBJECT
private slots:
    void fixedWindowsOfferNoMaximise()
    {
        Display *display = XOpenDisplay(nullptr);
        QVERIFY(display);
        const auto closeDisplay = qScopeGuard([display] { XCloseDisplay(display); });

        QTemporaryDir folder;
        qputenv("MUX_PORTS", ","); // no multiplexer: Quorix says so, its windows stay
        common::MessageBoxAnswerer boxes;
        configtool::SetrixProgram setrix({folder.path(), folder.path(), {}});
        acquisition::RecordingKeySink keys;
        acquisition::QuorixProgram quorix(keys, {folder.path(), folder.path()});

        QStringList checked;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            // Menus pop up without a frame; file dialogs are meant to be resized.
            if (window->windowType() == Qt::Popup || qobject_cast<QFileDialog *>(window))
                continue;
            const QString name = QString::fromLatin1(window->metaObject()->className());
            // A layout fixes its window's size when it first lays it out, as showing does.
            if (window->layout())
                window->layout()->activate();
            const QString fault = frameFault(display, window->winId());
            QVERIFY2(fault.isEmpty(), qPrintable(name + ": " + fault));
            checked << name;
        }
        checked.sort();
        QCOMPARE(checked, QStringList({"acquisition::TQuorix", "acquisition::Tconfig_form", "common::TAboutBox",
                                       "common::TAboutBox", "configtool::TForm1", "configtool::TForm2",
                                       "configtool::TForm3", "configtool::TForm4", "configtool::TForm6",
                                       "configtool::TForm7"}));
    }
};

QTEST_MAIN(TestWindowFrames)
#include "tst_windowflags.moc"
