#pragma once

#include <QString>

#include <array>

namespace configtool {

// The captions of the ten retro-commands. A caption given by the user (kelt.ini
// or the retro-command window) stays through language changes; an item without
// one takes the generic caption and digit of the first language applied after
// it was emptied, and keeps it.
class RetroCaptions {
public:
    static constexpr int count = 10;

    QString caption(int digit) const;

    // An empty text leaves the item to the next language applied; until then it
    // shows the current generic caption.
    void setCaption(int digit, const QString &text);

    // The generic caption of a language (also the retro button's caption).
    void applyGeneric(const QString &generic);

private:
    struct Item {
        QString text;
        bool filled = false;
    };
    std::array<Item, count> m_items;
    QString m_generic = QStringLiteral("Rétrocommande");
};

} // namespace configtool
