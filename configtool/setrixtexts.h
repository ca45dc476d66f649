#pragma once

#include "common/addedtexts.h"
#include "configtool/addedmessages.h"
#include "configtool/captionmap.h"

#include <QMap>
#include <QString>
#include <QStringList>

namespace configtool {

// The texts of the applied language that are not captions: the message lines
// (38 to 57, 62 and 63) and the three parity names, empty until a language
// file is applied, and the added messages (in French until then). Every
// message is built when it is shown, from the current texts.
class SetrixTexts {
public:
    SetrixTexts();

    // The message of a language line; empty for lines that are not messages.
    QString message(int line) const { return m_messages.value(line); }
    // 0 none, 1 even, 2 odd.
    QString parityName(int parity) const { return m_parityNames.value(parity); }

    // Registers the "message.N" and "parity.N" targets.
    void registerTargets(CaptionRegistry &registry);

    // How many lines of a language file to read: the caption map's and the
    // added messages'.
    int languageLines() const;
    // The added messages of a language file's lines (lines[n - 1] is line n).
    void applyAdded(const QStringList &lines) { m_added.apply(lines); }
    QString added(const common::AddedText &entry) const { return m_added.text(entry); }
    const common::AddedTexts &addedTexts() const { return m_added; }

    // The dialogs of the main window, as shown.
    QString noMultiplexer() const;                 // lines 38, 39
    QString instrumentChosen(int instrument) const; // lines 42, 43
    QString updateQuestion() const;                // lines 54, 55
    QString notProgrammable(const QString &reply) const; // line 62 and the cable's reply

private:
    QMap<int, QString> m_messages;
    QStringList m_parityNames;
    common::AddedTexts m_added {added::all};
};

} // namespace configtool
