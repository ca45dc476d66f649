#include "acquisition/configfile.h"

#include "common/filereading.h"
#include "common/filereplace.h"
#include "common/integertext.h"
#include "common/textcodec.h"
#include "common/textlines.h"
#include "common/usererror.h"

#include <array>

namespace acquisition {

namespace {

constexpr int kFirstStepLine = 2;
constexpr int kBatchSizeLine = 8;
constexpr int kMeasurementModeLine = 9;
constexpr int kMultiplexerModeLine = 10;
constexpr int kFirstInstrumentLine = 11;
constexpr int kCarriedLine = 19;

// A configuration is a few hundred bytes; this only keeps a wrongly chosen
// file from filling the memory.
constexpr qint64 kMaxFileSize = 1 << 20;

// A field holding a line break would shift every later line of the file.
QString asOneLine(QString text)
{
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

} // namespace

ConfigurationFile::ConfigurationFile() : m_lines(kMinimumLines) {}

QString ConfigurationFile::line(int number) const { return m_lines.value(number - 1); }

void ConfigurationFile::load(const QString &path, ConfigurationValues &values)
{
    m_lines = common::splitLines(common::decodeText(common::readWholeFile(path, kMaxFileSize)));

    for (int i = 0; i < kStepCount; ++i)
        values.setStep(Step(i), line(kFirstStepLine + i));
    values.setBatchSize(clampBatchSize(common::toInteger(line(kBatchSizeLine))));
    values.setMeasurementMode(clampMode(common::toInteger(line(kMeasurementModeLine))));
    const int multiplexerMode = clampMode(common::toInteger(line(kMultiplexerModeLine)));
    values.setMultiplexerMode(multiplexerMode);

    for (int k = 1; k <= kInstrumentCount; ++k) {
        const QString text = line(kFirstInstrumentLine + k - 1);
        if (multiplexerMode != kAddressedMode)
            values.setInstrumentChecked(k, text != u"0");
        else
            values.setInstrumentCount(k, text);
    }
    m_carried = line(kCarriedLine);
}

void ConfigurationFile::save(const QString &path, const ConfigurationValues &values)
{
    while (m_lines.size() < kMinimumLines)
        m_lines.append(QString());
    const auto setLine = [this](int number, const QString &text) { m_lines[number - 1] = text; };

    for (int i = 0; i < kStepCount; ++i)
        setLine(kFirstStepLine + i, asOneLine(values.step(Step(i))));
    setLine(kBatchSizeLine, QString::number(values.batchSize()));
    setLine(kMeasurementModeLine, QString::number(values.measurementMode()));
    setLine(kMultiplexerModeLine, QString::number(values.multiplexerMode()));
    const bool multiple = values.multiplexerMode() != kAddressedMode;
    for (int k = 1; k <= kInstrumentCount; ++k) {
        const QString text = multiple ? QString::number(values.instrumentChecked(k) ? 1 : 0)
                                      : asOneLine(values.instrumentCount(k));
        setLine(kFirstInstrumentLine + k - 1, text);
    }
    setLine(kCarriedLine, m_carried);

    QString text;
    for (const QString &each : std::as_const(m_lines))
        text += each + QStringLiteral("\r\n");
    if (!common::replaceFile(path, common::encodeWindows1252(text)).ok())
        throw common::UserError::cannotCreate(path);
}

namespace {

struct DefaultSet {
    std::array<const char16_t *, kStepCount> steps;
    const char16_t *firstCount;
};

void applyDefaults(ConfigurationValues &values, const DefaultSet &set)
{
    for (int i = 0; i < kStepCount; ++i)
        values.setStep(Step(i), QString::fromUtf16(set.steps.at(std::size_t(i))));
    values.setBatchSize(kMinBatchSize);
    values.setMeasurementMode(kContinuousMeasurement);
    values.setMultiplexerMode(kAddressedMode);
    for (int k = 1; k <= kInstrumentCount; ++k) {
        values.setInstrumentCount(k, k == 1 ? QString::fromUtf16(set.firstCount) : QString());
        values.setInstrumentChecked(k, k == 1);
    }
}

} // namespace

void applyEditorDefaults(ConfigurationValues &values)
{
    applyDefaults(values, {{u"", u"", u"", u"", u"", u""}, u""});
}

void applyMainWindowDefaults(ConfigurationValues &values)
{
    applyDefaults(values, {{u"0", u"1", u"1", u"0", u"", u""}, u"1"});
}

} // namespace acquisition
