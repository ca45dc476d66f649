#pragma once

#include "tests/support/desktop/x11desktop.h"

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <optional>

namespace testsupport {

// LibreOffice Calc on the X server with a profile of its own and an empty
// sheet, read back through its UNO bridge (python3-uno).
class LibreCalc {
public:
    LibreCalc() = default;
    ~LibreCalc();
    LibreCalc(const LibreCalc &) = delete;
    LibreCalc &operator=(const LibreCalc &) = delete;

    // plugin: "gen" or "gtk3"; locale: "C.UTF-8", "fr_FR.UTF-8"... Returns
    // once the sheet can be read (first start: tens of seconds).
    bool start(const QString &plugin, const QString &locale, const QProcessEnvironment &base =
                                                                 QProcessEnvironment::systemEnvironment());
    // Calc's window on that desktop, once it shows.
    std::optional<X11Desktop::Client> window(const X11Desktop &desktop) const;

    // The first sheet's cells, column by column from A1: "column row kind text",
    // kind number (text: the value as Python prints it), text, formula or empty.
    std::optional<QStringList> cells(int columns, int rows) const;
    // soffice.bin's process, 0 before it runs.
    qint64 officePid() const;

    // Waits until the values' cells stop changing (filled from A1 down
    // columns of seriesLength, one column per series), then returns what
    // differs from them: "column row kind text expected value", cells beyond
    // them expected empty. `values` is asked again at each look.
    QStringList mismatches(const std::function<QStringList()> &values, int seriesLength) const;

private:
    std::optional<QStringList> script(const QStringList &args) const;

    QTemporaryDir m_profile;
    QProcess m_process;
    QString m_pipe;
};

} // namespace testsupport
