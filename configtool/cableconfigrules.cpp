#include "configtool/cableconfigrules.h"

#include "configtool/cabledatabase.h"
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

// Models "2", "4" and "8" take the inputs' information from the first version
// that knows it; below `oldest` the multiplexer cannot configure cables at all.
// Returns true and fills step when a rule applies.
bool digitModelRule(const QString &version, int instrument, const SetrixTexts &texts,
                    const QString &oldest, const QString &limited, const QString &limitedInputs,
                    const QString &model, CableConfigStep &step)
{
    const QString choose = texts.message(SetrixMessage::chooseInstrumentFirst);
    if (!oldest.isEmpty() && version < oldest) {
        step = box(Box::Error,
                   texts.message(SetrixMessage::thisMultiplexer) + model + QLatin1Char(' ')
                       + texts.message(SetrixMessage::cannotConfigureCables),
                   Next::Stop);
    } else if (version == limited) {
        step = box(Box::Information, texts.message(SetrixMessage::configurableOnInput) + limitedInputs,
                   Next::OpenCableTypeChooser, true);
    } else if (version > limited && instrument == 0) {
        step = box(Box::Information, choose, Next::Stop);
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
    if (model == QLatin1String("M")) {
        step = box(Box::Information, texts.message(SetrixMessage::configurableOnInput) + QStringLiteral(" 3"),
                   Next::OpenCableTypeChooser);
    } else if (model == QLatin1String("8")) {
        if (digitModelRule(version, instrument, texts, {}, QStringLiteral("1"), QStringLiteral(" 5"),
                           model, step))
            return step;
    } else if (model == QLatin1String("4")) {
        if (digitModelRule(version, instrument, texts, QStringLiteral("3"), QStringLiteral("3"),
                           QStringLiteral(" 1"), model, step))
            return step;
    } else if (model == QLatin1String("2")) {
        if (digitModelRule(version, instrument, texts, QStringLiteral("2"), QStringLiteral("2"),
                           QStringLiteral(" 1"), model, step))
            return step;
    } else if (model == QLatin1String("D")) {
        if (instrument == 0)
            return box(Box::Information, texts.message(SetrixMessage::chooseInstrumentFirst), Next::Stop);
        step.next = Next::CheckCableIdentity;
        return step;
    }
    if (muxlink::isDigitModel(model) || model == QLatin1String("M"))
        step.next = Next::OpenCableTypeChooser;
    return step;
}

bool isProgrammableCableReply(const QString &reply)
{
    const QString reference = findCableReference(reply);
    return reference == QLatin1String("50417") || reference == QLatin1String("50432");
}

} // namespace configtool
