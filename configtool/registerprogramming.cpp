#include "configtool/registerprogramming.h"

#include "common/commontexts.h"
#include "configtool/addedmessages.h"
#include "configtool/analogvalue.h"
#include "configtool/bytetext.h"
#include "configtool/cablelist/cablelist.h"
#include "configtool/cablelink.h"
#include "configtool/cableview.h"
#include "configtool/operationscope.h"
#include "configtool/paritynames.h"
#include "configtool/registers.h"
#include "configtool/registerwriter.h"

#include <optional>

namespace configtool {

namespace {

int gridProgress(int row, int column) { return HeaderProgressMaximum + 9 * row + column; }

std::optional<int> readRegister(CableLink &link, CableOperationView &view, const CableMessages &messages,
                                int code, ZeroByte zero)
{
    const std::optional<int> value = link.readRegister(code, zero);
    if (!value)
        view.showMessage(MessageKind::Error, link.deviceGone() ? messages.disconnected : readFailureText());
    return value;
}

// Nothing is shown before all eighteen are in, so a failure changes no box.
std::optional<HeaderValues> readHeader(CableLink &link, CableOperationView &view, const CableMessages &messages,
                                       ZeroByte zero)
{
    HeaderValues values;
    values.fill(0);
    for (int i = 0; i < HeaderRegisterCount; ++i) {
        const int code = FirstHeaderCode + i;
        const std::optional<int> value = readRegister(link, view, messages, code, zero);
        if (!value)
            return std::nullopt;
        values[i] = *value;
        view.setProgress(code);
    }
    return values;
}

void showReference(RegisterPageView &view, const HeaderValues &values, const CableList &cableList)
{
    const int reference = referenceFromRegisters(values);
    view.setReference(reference);
    view.setCableName(cableList.cableNameForReference(reference));
}

void showRs232Header(Rs232PageView &view, const HeaderValues &values, const QStringList &parityNames)
{
    const auto at = [&](int code) { return values[code - FirstHeaderCode]; };
    if (const auto speed = speedText(at('A')))
        view.setSpeed(*speed);
    view.setDataBits(at('B'));
    if (const auto parity = parityIndex(at('C')); parity && *parity < parityNames.size())
        view.setParity(parityNames.at(*parity));
    view.setEndOfFrame(byteText(at('D')));
    if (const auto unit = unitText(at('E')))
        view.setUnit(*unit);
    view.setOffset(at('F'));
    for (int i = 0; i < 8; ++i)
        view.setInterrogation(i, interrogationText(at('I' + i)));
}

// False when the operation must end (no reply); a mismatch only ends the phase.
bool writeHeaderPhase(CableLink &link, CableOperationView &view, const CableMessages &messages,
                      const HeaderValues &values, ZeroByte zero)
{
    for (int i = 0; i < HeaderRegisterCount; ++i) {
        const int code = FirstHeaderCode + i;
        switch (writeRegister(link, view, messages, code, values[i], code, zero)) {
        case WriteOutcome::Verified: break;
        case WriteOutcome::Mismatch: return true;
        case WriteOutcome::NoReply: return false;
        }
    }
    return true;
}

bool writeGridPhase(CableLink &link, Rs232PageView &view, const CableMessages &messages)
{
    for (int row = 0; row < GridRows; ++row) {
        for (int column = 1; column <= GridColumns; ++column) {
            const int value = gridCellValue(view.gridCell(row, column));
            switch (writeRegister(link, view, messages, gridRegisterCode(row, column), value,
                                  gridProgress(row, column), ZeroByte::NoReply)) {
            case WriteOutcome::Verified: break;
            case WriteOutcome::Mismatch: return true;
            case WriteOutcome::NoReply: return false;
            }
        }
    }
    return true;
}

// The page's cable reference; without one, programming is refused before the first byte.
std::optional<int> chosenReference(RegisterPageView &view, const CableMessages &messages)
{
    const std::optional<int> reference = view.reference();
    if (!reference)
        view.showMessage(MessageKind::Error, messages.noCableChosen);
    return reference;
}

} // namespace

QString readFailureText() { return common::inLanguage(added::readError.french); }

void readRs232Cable(CableLink &link, Rs232PageView &view, const CableList &cableList,
                    const CableMessages &messages)
{
    OperationScope scope(view, RegisterProgressRest);
    const bool grid = view.gridIncluded();
    view.setProgressMaximum(grid ? GridProgressMaximum : HeaderProgressMaximum);
    const std::optional<HeaderValues> values = readHeader(link, view, messages, ZeroByte::NoReply);
    if (!values)
        return;
    showRs232Header(view, *values, view.settings().parityNames);
    showReference(view, *values, cableList);
    if (!grid)
        return;
    for (int row = 0; row < GridRows; ++row) {
        for (int column = 1; column <= GridColumns; ++column) {
            const std::optional<int> value =
                readRegister(link, view, messages, gridRegisterCode(row, column), ZeroByte::NoReply);
            if (!value)
                return;
            view.setGridCell(row, column, gridCellText(*value));
            view.setProgress(gridProgress(row, column));
        }
    }
}

void programRs232Cable(CableLink &link, Rs232PageView &view, const CableMessages &messages)
{
    OperationScope scope(view, RegisterProgressRest);
    const std::optional<int> reference = chosenReference(view, messages);
    if (!reference)
        return;
    Rs232PageSettings settings = view.settings();
    settings.reference = *reference;
    if (!parityOf(settings.parity, settings.parityNames)) {
        view.showMessage(MessageKind::Error, messages.unknownParity.arg(settings.parity));
        return;
    }
    const std::optional<HeaderValues> values = rs232HeaderValues(settings);
    if (!values) {
        view.showMessage(MessageKind::Error, messages.endOfFrame);
        return;
    }
    const bool grid = view.gridIncluded();
    view.setProgressMaximum(grid ? GridProgressMaximum : HeaderProgressMaximum);
    if (!writeHeaderPhase(link, view, messages, *values, ZeroByte::NoReply))
        return;
    if (grid && !writeGridPhase(link, view, messages))
        return;
    view.showMessage(MessageKind::Information, messages.programmed);
}

void readAnalogCable(CableLink &link, AnalogPageView &view, const CableList &cableList,
                     const CableMessages &messages)
{
    OperationScope scope(view, RegisterProgressRest);
    view.setProgressMaximum(HeaderProgressMaximum);
    const std::optional<HeaderValues> values = readHeader(link, view, messages, ZeroByte::Valid);
    if (!values)
        return;
    view.setMinimum(analogMinimum(*values));
    view.setMaximum(analogMaximum(*values));
    view.setDecimals((*values)['I' - FirstHeaderCode]);
    showReference(view, *values, cableList);
}

void programAnalogCable(CableLink &link, AnalogPageView &view, const CableMessages &messages)
{
    OperationScope scope(view, RegisterProgressRest);
    const std::optional<int> reference = chosenReference(view, messages);
    if (!reference)
        return;
    const float minimum = parseAnalogValue(view.minimumText());
    const float maximum = parseAnalogValue(view.maximumText());
    const HeaderValues values = analogHeaderValues(minimum, maximum, view.decimals(), *reference);
    view.setProgressMaximum(HeaderProgressMaximum);
    if (!writeHeaderPhase(link, view, messages, values, ZeroByte::Valid))
        return;
    view.showMessage(MessageKind::Information, messages.programmed);
}

} // namespace configtool
