#pragma once

#include "acquisition/configvalues.h"

#include <QString>
#include <QStringList>

namespace acquisition {

// A ".mux" configuration file: one value per line, Windows-1252 text, lines
// ended by CR LF. Keeps the text of the file last loaded, because saving
// rewrites that text in place: line 1, line 20 and any further lines go back
// as they came, and line 19 of the last loaded file is carried into every
// later save.
//
//   1  not interpreted        8  batch size            11..18  instruments 1..8
//   2..7  the six steps,      9  measurement mode      19  carried-through text
//         in Step order      10  multiplexer mode      20  not interpreted
class ConfigurationFile {
public:
    static constexpr int kMinimumLines = 20;

    ConfigurationFile();

    // Reads the file and fills values from it. Throws common::UserError:
    // cannotOpen before anything changes; notAnInteger at line 8, 9 or 10,
    // the fields before it already set and those after it untouched.
    void load(const QString &path, ConfigurationValues &values);

    // Puts values into the held text and replaces the file with it whole
    // (common::replaceFile). Throws common::UserError::cannotCreate, leaving
    // any old file as it was.
    void save(const QString &path, const ConfigurationValues &values);

    const QStringList &heldLines() const { return m_lines; }
    const QString &carriedText() const { return m_carried; }

private:
    QString line(int number) const;

    QStringList m_lines;
    QString m_carried;
};

// The editor's "&Nouveau": empty steps and counts, instrument 1 checked.
void applyEditorDefaults(ConfigurationValues &values);

// The main window's "&Nouveau": steps for one row per series, one value from
// instrument 1.
void applyMainWindowDefaults(ConfigurationValues &values);

} // namespace acquisition
