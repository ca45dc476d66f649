#include "configtool/cableconfigrules.h"

#include "configtool/cablelist/cablelist.h"
#include "configtool/setrixtexts.h"
#include "link/models.h"

namespace configtool {

namespace {

using Box = CableConfigStep::Box;
using Next = CableConfigStep::Next;

CableConfigStep box(Box kind, const QString &text, Next next, bool hideMore = false)
{
    return {kind, text, hideMore, next};
}

QString versionText(char version) { return QString(QLatin1Char(version)); }

QString inputsNote(const SetrixTexts &texts, int inputs)
{
    return texts.message(SetrixMessage::configurableOnInput) + QStringLiteral(" %1").arg(inputs);
}

// A digit model's version decides first. Returns true and fills step when a
// limit applies.
bool versionRule(const QString &model, const QString &version, int instrument,
                 const muxlink::CableVersionLimits &limits, const SetrixTexts &texts, CableConfigStep &step)
{
    const QString limited = versionText(limits.limited);
    if (limits.oldest != 0 && version < versionText(limits.oldest)) {
        step = box(Box::Error,
                   texts.message(SetrixMessage::thisMultiplexer) + model + QLatin1Char(' ')
                       + texts.message(SetrixMessage::cannotConfigureCables),
                   Next::Stop);
    } else if (version == limited) {
        step = box(Box::Information, inputsNote(texts, limits.limitedInputs), Next::OpenCableTypeChooser, true);
    } else if (version > limited && instrument == 0) {
        step = box(Box::Information, texts.message(SetrixMessage::chooseInstrumentFirst), Next::Stop);
    } else {
        return false;
    }
    return true;
}

} // namespace

CableConfigStep cableConfigStep(const QString &model, const QString &version, int instrument,
                                const SetrixTexts &texts)
{
    CableConfigStep step;
    const muxlink::ModelDescription *described = muxlink::findModel(model);
    if (!described) {
        if (muxlink::isDigitModel(model))
            step.next = Next::OpenCableTypeChooser;
        return step;
    }
    if (described->cableVersions && versionRule(model, version, instrument, *described->cableVersions, texts, step))
        return step;
    switch (described->cable) {
    case muxlink::CableConfiguration::ProgrammableCable:
        if (instrument == 0)
            return box(Box::Information, texts.message(SetrixMessage::chooseInstrumentFirst), Next::Stop);
        step.next = Next::CheckCableIdentity;
        break;
    case muxlink::CableConfiguration::CableTypeChooser:
        // A lettered model's chooser reaches all its inputs, and says how many.
        if (!described->isDigit())
            return box(Box::Information, inputsNote(texts, described->inputs), Next::OpenCableTypeChooser);
        step.next = Next::OpenCableTypeChooser;
        break;
    case muxlink::CableConfiguration::None:
    case muxlink::CableConfiguration::Nothing:
        break;
    }
    return step;
}

bool isProgrammableCableReply(const QString &reply)
{
    const QString reference = findCableReference(reply);
    return reference == QLatin1String("50417") || reference == QLatin1String("50432");
}

} // namespace configtool
