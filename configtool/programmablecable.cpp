#include "configtool/programmablecable.h"

#include "common/commontexts.h"
#include "common/integertext.h"
#include "common/textcodec.h"
#include "configtool/cablelink.h"
#include "configtool/addedmessages.h"
#include "configtool/bytetext.h"
#include "configtool/cableview.h"
#include "configtool/operationscope.h"
#include "configtool/paritynames.h"
#include "link/deadline.h"
#include "link/linereader.h"
#include "link/portinput.h"

namespace configtool {

namespace {

constexpr const char *speeds[] = {"75", "150", "300", "600", "1200", "2400", "4800", "9600"};
constexpr char unitLetters[] = {'W', 'X', 'Y', 'Z'};

// Progress of a programming run; it only moves forward.
class Progress {
public:
    explicit Progress(CableOperationView &view) : m_view(view) { m_view.setProgress(0); }
    void advance(int by) { m_view.setProgress(m_position += by); }

private:
    CableOperationView &m_view;
    int m_position = 0;
};

// False once the multiplexer has gone: nothing more is worth sending.
bool sendSetting(CableLink &link, Progress &progress, char letter, std::optional<char> code)
{
    // A setting the cable has no code for is left as the cable has it; the
    // read-back then reports the difference.
    if (code)
        link.sendUpToZero(settingCommand(letter, *code));
    progress.advance(1);
    link.delay(SettingSettleMs);
    return !link.deviceGone();
}

bool sendUnit(CableLink &link, Progress &progress, const QString &unit)
{
    // A character stored as two UTF-16 units still gives one byte: pad again.
    const QByteArray unitBytes = common::encodeWindows1252(unit).leftJustified(4, ' ', true);
    for (int i = 0; i < 4; ++i)
        link.sendUpToZero(settingCommand(unitLetters[i], unitBytes.at(i)));
    progress.advance(4);
    link.delay(SettingSettleMs);
    return !link.deviceGone();
}

bool sendInterrogation(CableLink &link, Progress &progress, const Rs232PageSettings &settings)
{
    // Byte by byte, so that an unused character (0) goes out too.
    for (int i = 0; i < 8; ++i) {
        link.send(interrogationCommand(i + 1, programmableByte(settings.interrogation[i])));
        progress.advance(1);
        link.delay(SettingSettleMs);
        if (link.deviceGone())
            return false;
    }
    return true;
}

// A reply missing or cut short: the cable's fault, unless the multiplexer went away.
const QString &noReplyText(CableLink &link, const CableMessages &messages)
{
    return link.deviceGone() ? messages.disconnected : messages.noReply;
}

} // namespace

QString programmableCableLabel() { return QStringLiteral("50417 RS232 PROGRAMMABLE "); }

int programmableByte(const QString &text)
{
    // Only the "$" form counts here; other texts mean no character.
    return text.size() == 3 && text.at(0) == u'$' ? char2int(text) : 0;
}

std::optional<char> programmableSpeedCode(const QString &speed)
{
    for (int i = 0; i < 8; ++i)
        if (speed == QLatin1String(speeds[i]))
            return char('0' + i);
    return std::nullopt;
}

char programmableParityCode(const QString &parity, const QStringList &parityNames)
{
    const std::optional<int> index = parityOf(parity, parityNames);
    return index ? char('1' + *index) : '4';
}

std::optional<char> supplyCode(const QString &supply)
{
    if (supply == QLatin1String("12v"))
        return '1';
    if (supply == QLatin1String("5v"))
        return '0';
    return std::nullopt;
}

char dataBitsCode(int bits) { return char('0' + bits - 7); }

char offsetCode(int offset) { return char(48 + offset); }

QString paddedUnit(const QString &unit) { return unit.leftJustified(4, u' ', true); }

QByteArray configurationQuery() { return QByteArrayLiteral("@*E?\r\n"); }

QByteArray settingCommand(char letter, int value)
{
    QByteArray command("@*");
    command.append(letter);
    command.append(char(value));
    command.append("\r\n");
    return command;
}

QByteArray interrogationCommand(int position, int value)
{
    return settingCommand(char('0' + position), value);
}

namespace {

struct Collected {
    QByteArray all;        // every byte received
    QByteArray replyLines; // without the reading lines among them
};

// Collects up to the fourth line that is no reading.
Collected collectReply(CableLink &link, const ReplyLimits &limits)
{
    link.sendUpToZero(configurationQuery());
    muxlink::Clock &clock = link.clock();
    const muxlink::Deadline whole(clock, limits.totalMs);
    muxlink::Deadline quiet(clock, limits.idleMs);
    Collected reply;
    QByteArray line;
    int lines = 0;
    while (lines < 4 && reply.replyLines.size() + line.size() < limits.maxBytes) {
        const muxlink::NextByte next = link.nextByte(muxlink::Deadline::earlier(quiet, whole));
        if (!next.isByte())
            break;
        line.append(char(next.value));
        reply.all.append(char(next.value));
        quiet = muxlink::Deadline(clock, limits.idleMs);
        if (next.value != '\n')
            continue;
        if (!muxlink::isReadingLine(line)) {
            reply.replyLines += line;
            ++lines;
        }
        line.clear();
    }
    if (!muxlink::isReadingLine(line))
        reply.replyLines += line;
    return reply;
}

QByteArray firstLines(const QByteArray &bytes, int count)
{
    qsizetype end = 0;
    for (int i = 0; i < count && end < bytes.size(); ++i) {
        const qsizetype lineFeed = bytes.indexOf('\n', end);
        end = lineFeed < 0 ? bytes.size() : lineFeed + 1;
    }
    return bytes.left(end);
}

// Every field in its place.
bool wellFormed(const ConfigurationReply &reply)
{
    return reply.offsetField() && reply.hasSpeed() && reply.dataBitsDigit() && reply.hasParity()
           && reply.hasSupply();
}

} // namespace

ConfigurationReply readConfiguration(CableLink &link, const ReplyLimits &limits)
{
    if (!link.awaitLineStart())
        return ConfigurationReply();
    const Collected collected = collectReply(link, limits);
    const ConfigurationReply reply(collected.replyLines);
    if (wellFormed(reply))
        return reply;
    // A cable whose own reply has a line beginning with 'V', and no reading came.
    const ConfigurationReply raw(firstLines(collected.all, 4));
    return wellFormed(raw) ? raw : reply;
}

void readProgrammableCable(CableLink &link, ProgrammableCableView &view, const CableMessages &messages)
{
    const ConfigurationReply reply = readConfiguration(link);
    if (!reply.longEnough()) {
        view.showMessage(MessageKind::Error, noReplyText(link, messages));
        return;
    }
    view.setReferenceText(programmableCableLabel());
    view.setProgress(0);
    view.setUnit(reply.unit());
    int progress = 8;
    view.setProgress(progress);
    for (int i = 0; i < 8; ++i) {
        view.setInterrogation(i, reply.interrogation(i));
        if (i > 0)
            view.setProgress(progress += 2);
    }
    view.setProgress(progress += 2);
    if (const auto field = reply.offsetField()) {
        view.setOffset(common::toInteger(field->digits));
        view.setEndOfFrame(field->endOfFrame);
    }
    view.setProgress(progress += 4);

    bool good = reply.hasSpeed();
    if (good) {
        if (const auto speed = reply.speed())
            view.setSpeed(*speed);
        view.setProgress(progress += 2);
    }
    if (const auto bits = reply.dataBitsDigit())
        view.setDataBits(common::toInteger(*bits));
    else
        good = false;
    view.setProgress(progress += 2);
    if (reply.hasParity()) {
        const QStringList names = view.settings().parityNames;
        if (const auto parity = reply.parityIndex(); parity && *parity < names.size())
            view.setParity(names.at(*parity));
        view.setProgress(progress += 2);
    } else {
        good = false;
    }
    if (reply.hasSupply()) {
        if (const auto supply = reply.supply())
            view.setSupply(*supply);
        view.setProgress(progress += 2);
    } else {
        good = false;
    }
    view.setProgress(ProgrammableProgressMaximum);
    if (!good)
        view.showMessage(MessageKind::Error, noReplyText(link, messages));
}

void programProgrammableCable(CableLink &link, ProgrammableCableView &view, const CableMessages &messages)
{
    OperationScope scope(view, ProgrammableProgressMaximum);
    const Rs232PageSettings settings = view.settings();
    // Taken now: the boxes stay editable during the waits below.
    const std::optional<char> supply = supplyCode(view.supply());
    if (!parityOf(settings.parity, settings.parityNames)) {
        view.showMessage(MessageKind::Error, messages.unknownParity.arg(settings.parity));
        return;
    }
    if (settings.endOfFrame.size() < 3) {
        view.showMessage(MessageKind::Error, messages.endOfFrame);
        return;
    }
    const QString unit = paddedUnit(settings.unit);
    view.setUnit(unit);

    Progress progress(view);
    const bool sent = sendSetting(link, progress, 'V', programmableSpeedCode(settings.speed))
                      && sendSetting(link, progress, 'B', dataBitsCode(settings.dataBits))
                      && sendSetting(link, progress, 'P', programmableParityCode(settings.parity, settings.parityNames))
                      // An end of frame of 0 cuts this command short, before its byte.
                      && sendSetting(link, progress, 'F', char(programmableByte(settings.endOfFrame)))
                      && sendUnit(link, progress, unit)
                      && sendSetting(link, progress, 'O', offsetCode(settings.offset))
                      && sendSetting(link, progress, 'T', supply)
                      && sendInterrogation(link, progress, settings);
    if (!sent) {
        view.showMessage(MessageKind::Error, messages.disconnected);
        return;
    }

    link.delay(VerifySettleMs);
    if (!configurationDiffers(link, view))
        view.showMessage(MessageKind::Information, messages.programmed);
    else if (link.deviceGone())
        view.showMessage(MessageKind::Error, messages.disconnected);
    else
        view.showMessage(MessageKind::Plain, common::inLanguage(added::programmingError.french));
}

bool configurationDiffers(CableLink &link, ProgrammableCableView &view)
{
    const ConfigurationReply reply = readConfiguration(link);
    if (!reply.longEnough()) {
        view.setProgress(ProgrammableProgressMaximum);
        return true;
    }
    const Rs232PageSettings settings = view.settings();
    bool differs = settings.unit != reply.unit();
    for (int i = 0; i < 8; ++i)
        differs |= settings.interrogation[i] != reply.interrogation(i);
    if (const auto field = reply.offsetField())
        differs |= settings.offset != common::toInteger(field->digits) || settings.endOfFrame != field->endOfFrame;
    else
        differs = true; // the offset and end of frame could not be checked
    if (reply.hasSpeed()) {
        if (const auto speed = reply.speed())
            differs |= settings.speed != *speed;
    } else {
        differs = true;
    }
    if (const auto bits = reply.dataBitsDigit())
        differs |= settings.dataBits != common::toInteger(*bits);
    else
        differs = true; // the data bits could not be checked
    if (reply.hasParity()) {
        if (const auto parity = reply.parityIndex())
            differs |= parityOf(settings.parity, settings.parityNames) != parity;
    } else {
        differs = true;
    }
    if (reply.hasSupply()) {
        if (const auto supply = reply.supply())
            differs |= view.supply() != *supply;
    } else {
        differs = true;
    }
    view.setProgress(ProgrammableProgressMaximum);
    return differs;
}

} // namespace configtool
