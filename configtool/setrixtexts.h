#pragma once

#include "common/addedtexts.h"
#include "configtool/addedmessages.h"
#include "configtool/captionmap.h"
#include "configtool/setrixmessages.h"

#include <QMap>
#include <QString>
#include <QStringList>

namespace configtool {

// The texts of the applied language that are not captions: the message lines
// and the three parity names, empty until a language file is applied, and the
// added messages (in French until then). Every message is built when it is
// shown, from the current texts.
class SetrixTexts {
public:
    SetrixTexts();

    QString message(SetrixMessage which) const { return m_messages.value(int(which)); }
    // 0 none, 1 even, 2 odd.
    QString parityName(int parity) const { return m_parityNames.value(parity); }

    // Registers the "message.N" and "parity.N" targets and the added messages;
    // this object must outlive the registry's use.
    void registerTargets(CaptionRegistry &registry);

    QString added(const common::AddedText &entry) const { return m_added.text(entry); }
    const common::AddedTexts &addedTexts() const { return m_added; }

    // The messages made of several lines, as shown.
    QString noMultiplexer() const;                       // lines 38, 39
    QString instrumentChosen(int instrument) const;      // lines 42, 43
    QString updateQuestion() const;                      // lines 54, 55
    QString replaceWithOlderQuestion() const;            // lines 56, 57
    QString notProgrammable(const QString &reply) const; // line 62 and the cable's reply

private:
    QMap<int, QString> m_messages; // by line
    QStringList m_parityNames;
    common::AddedTexts m_added {added::all};
};

} // namespace configtool
