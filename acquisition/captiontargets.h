#pragma once

#include "common/addedtexts.h"

#include <QList>
#include <QMultiHash>
#include <QString>
#include <QStringList>

#include <functional>

namespace acquisition {

// The captions a language file sets, as setters registered under the target
// names of the caption map. Windows register their own controls; a target
// registered by two windows gets the same text in both.
class CaptionTargets {
public:
    using Setter = std::function<void(const QString &)>;

    // The name must be one the caption map knows (checked in debug builds).
    void add(const QString &target, Setter setter);
    // A caption beyond the map, at its added line: a file that lacks the line
    // or leaves it empty gives its French text.
    void addAdded(const common::AddedText &entry, Setter setter);

    // lines[n - 1] is language line n; lines missing at the end count as empty.
    void apply(const QStringList &lines) const;

    bool isRegistered(const QString &target) const { return m_setters.contains(target); }

private:
    QMultiHash<QString, Setter> m_setters;
    QList<std::pair<const common::AddedText *, Setter>> m_added;
};

} // namespace acquisition
