#pragma once

#include "configtool/programmablereply.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace configtool {

class CableLink;
class ProgrammableCableView;
struct CableMessages;

inline constexpr int ProgrammableProgressMaximum = 36;
inline constexpr int SettingSettleMs = 100;
inline constexpr int VerifySettleMs = 200;

// Label the reference box shows after a read.
QString programmableCableLabel(); // "50417 RS232 PROGRAMMABLE "

// Byte of a text typed in this window: "$" and two digits give their value
// (digits 0-9, letters of either case 10-35); every other text gives 0.
int programmableByte(const QString &text);

// One-character codes of the settings. The speed and the supply are empty for a
// text the cable has no code for; the parity is "4" then (see parityOf), which
// programming refuses to send.
std::optional<char> programmableSpeedCode(const QString &speed);
char programmableParityCode(const QString &parity, const QStringList &parityNames);
std::optional<char> supplyCode(const QString &supply);
char dataBitsCode(int bits);  // "0" for 7, "1" for 8
char offsetCode(int offset);  // 48 + offset
QString paddedUnit(const QString &unit); // four characters, spaces on the right

QByteArray configurationQuery();                    // "@*E?" CR LF
QByteArray settingCommand(char letter, int value);  // "@*", letter, value, CR, LF
QByteArray interrogationCommand(int position, int value); // "@*", digit 1..8, value, CR, LF

// Collects the reply to "@*E?" up to its fourth LF, from a line's start and
// without the reading lines that stream in meanwhile. A cable that stops
// answering ends it: no byte for `idleMs`, or `totalMs` in all, or `maxBytes`
// received. Events are not served meanwhile, so the whole reply arrives here.
struct ReplyLimits {
    int idleMs = 1000;
    int totalMs = 5000;
    int maxBytes = 256;
};
ConfigurationReply readConfiguration(CableLink &link, const ReplyLimits &limits = {});

// The window's operations. Reading never disables the buttons; programming does
// until it ends, however it ends. A parity that names none is refused before
// anything is sent. A multiplexer that goes away ends programming after the
// setting being sent; a missing reply is then blamed on it, not on the cable.
void readProgrammableCable(CableLink &link, ProgrammableCableView &view, const CableMessages &messages);
void programProgrammableCable(CableLink &link, ProgrammableCableView &view, const CableMessages &messages);
// Reads the configuration back: true when it differs from the window's settings.
bool configurationDiffers(CableLink &link, ProgrammableCableView &view);

} // namespace configtool
