#include "link/models.h"

#include <iterator>

namespace muxlink {

namespace {

using Cable = CableConfiguration;

const ModelDescription kModels[] = {
    {'D', "Vantor", 8, Cable::ProgrammableCable, std::nullopt},
    {'A', "Brisca", 8, Cable::None, std::nullopt},
    {'M', "Pellum", 3, Cable::CableTypeChooser, std::nullopt},
    {'8', nullptr, 8, Cable::CableTypeChooser, CableVersionLimits{0, '1', 5}},
    {'4', nullptr, 4, Cable::CableTypeChooser, CableVersionLimits{'3', '3', 1}},
    {'2', nullptr, 2, Cable::CableTypeChooser, CableVersionLimits{'2', '2', 1}},
};

// Any other digit: a cable type chooser, inputs left as they are.
const ModelDescription kOtherDigit{0, nullptr, 0, Cable::CableTypeChooser, std::nullopt};

} // namespace

bool isDigitModel(const QString &model)
{
    return !model.isEmpty() && model <= QLatin1String("9");
}

const ModelDescription *findModel(const QString &model)
{
    if (model.size() != 1)
        return nullptr;
    for (const ModelDescription &described : kModels) {
        if (model.at(0) == QLatin1Char(described.letter))
            return &described;
    }
    return nullptr;
}

ModelInfo modelInfo(const QString &model, int port, const QString &digitPrefix)
{
    const ModelDescription *described = findModel(model);
    if (!described && isDigitModel(model))
        described = &kOtherDigit;
    if (!described)
        return {};
    const QString name = described->isDigit() ? digitPrefix + model : QString::fromLatin1(described->name);
    return {true, name + QStringLiteral(" -> COM%1").arg(port + 1), described->inputs, described->cable};
}

std::optional<int> instrumentBoxCount(const QString &model)
{
    const ModelDescription *described = findModel(model);
    if (described && described->isDigit())
        return described->inputs;
    return std::nullopt;
}

} // namespace muxlink
