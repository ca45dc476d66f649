#pragma once

#include <QByteArray>
#include <QString>

namespace muxlink {

// What the programs take from the reply to "@*?". Characters count from 1
// after the bytes outside 0x20..0x7E were dropped; an absent character is an
// empty text.
struct Identification {
    QString model;   // model letter
    QString version; // version character (character 12)
    bool recognised = false;
};

Identification parseIdentification(const QByteArray &printableLine);

} // namespace muxlink
