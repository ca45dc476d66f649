#include "link/models.h"

namespace muxlink {

bool isDigitModel(const QString &model)
{
    return !model.isEmpty() && model <= QLatin1String("9");
}

ModelInfo modelInfo(const QString &model, int port, const QString &digitPrefix)
{
    const QString com = QStringLiteral(" -> COM%1").arg(port + 1);
    ModelInfo info;
    if (model == QLatin1String("D")) {
        info = {true, QStringLiteral("Vantor") + com, 8, CableConfiguration::ProgrammableCable};
    } else if (model == QLatin1String("A")) {
        info = {true, QStringLiteral("Brisca") + com, 8, CableConfiguration::None};
    } else if (model == QLatin1String("M")) {
        info = {true, QStringLiteral("Pellum") + com, 3, CableConfiguration::CableTypeChooser};
    } else if (isDigitModel(model)) {
        int inputs = 0;
        if (model == QLatin1String("2") || model == QLatin1String("4") || model == QLatin1String("8"))
            inputs = model.toInt();
        info = {true, digitPrefix + model + com, inputs, CableConfiguration::CableTypeChooser};
    }
    return info;
}

} // namespace muxlink
