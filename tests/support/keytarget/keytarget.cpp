// A window that takes the keyboard focus and writes every key event it gets to
// its standard output, one line each, for the key output tests on a real
// desktop: "ready" once it has the focus, then
//   press <keysym in hex> <Qt key in hex> <text in hex, or -> [repeat]
// and the same with "release".
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <cstdio>

namespace {

class KeyTarget : public QWidget {
public:
    KeyTarget()
    {
        setWindowTitle(QStringLiteral("keytarget"));
        setFocusPolicy(Qt::StrongFocus);
        resize(300, 200);
    }

protected:
    void focusInEvent(QFocusEvent *) override { write("ready"); }
    void keyPressEvent(QKeyEvent *event) override { record("press", event); }
    void keyReleaseEvent(QKeyEvent *event) override { record("release", event); }

private:
    static void write(const QByteArray &line)
    {
        std::fputs(line.constData(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }
    static void record(const char *what, const QKeyEvent *event)
    {
        const QByteArray text = event->text().toUtf8();
        write(QByteArray(what) + ' ' + QByteArray::number(event->nativeVirtualKey(), 16) + ' '
              + QByteArray::number(event->key(), 16) + ' '
              + (text.isEmpty() ? QByteArray("-") : text.toHex())
              + (event->isAutoRepeat() ? " repeat" : ""));
    }
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    KeyTarget target;
    target.show();
    target.activateWindow();
    return QApplication::exec();
}
