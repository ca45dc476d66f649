#pragma once

#include "acquisition/configvalues.h"

#include <QString>
#include <QStringList>

namespace testsupport {

// The eight instruments' counts, as their fields hold them.
inline QStringList counts(const acquisition::ConfigurationValues &values)
{
    QStringList texts;
    for (int k = 1; k <= acquisition::kInstrumentCount; ++k)
        texts << values.instrumentCount(k);
    return texts;
}

// The eight instruments' check boxes: 'x' checked, '.' not.
inline QString checks(const acquisition::ConfigurationValues &values)
{
    QString marks;
    for (int k = 1; k <= acquisition::kInstrumentCount; ++k)
        marks += values.instrumentChecked(k) ? u'x' : u'.';
    return marks;
}

} // namespace testsupport
