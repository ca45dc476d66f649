#pragma once

#include "configtool/analogvalue.h"
#include "configtool/cableview.h"

#include <QList>
#include <QStringList>

#include <array>

// Views that hold the controls' values as a window would and record, in order,
// everything an operation does to them.
struct Message {
    configtool::MessageKind kind;
    QString text;
    bool operator==(const Message &) const = default;
};

template <typename Base>
class RecordingOperationView : public Base {
public:
    void setProgressMaximum(int maximum) override { maxima << maximum; }
    void setProgress(int position) override { progress << position; }
    void setButtonsEnabled(bool enabled) override { buttons << enabled; }
    void showMessage(configtool::MessageKind kind, const QString &text) override { messages << Message{kind, text}; }

    QList<int> maxima;
    QList<int> progress;
    QList<bool> buttons;
    QList<Message> messages;
    QStringList changes; // "control=value", in the order they were set
};

// The RS232 settings controls, shared by the RS232 page and the programmable cable.
template <typename Base>
class RecordingRs232Controls : public RecordingOperationView<Base> {
public:
    RecordingRs232Controls()
    {
        page.speed = "9600";
        page.parity = "SANS";
        page.parityNames = {"SANS", "PAIRE", "IMPAIRE"};
        page.endOfFrame = "$0D";
        page.unit = "MM";
        page.interrogation[0] = "$4D";
    }
    configtool::Rs232PageSettings settings() const override { return page; }

    void setSpeed(const QString &v) override { note("speed", v), page.speed = v; }
    void setDataBits(int v) override { note("bits", QString::number(v)), page.dataBits = v; }
    void setParity(const QString &v) override { note("parity", v), page.parity = v; }
    void setEndOfFrame(const QString &v) override { note("eof", v), page.endOfFrame = v; }
    void setUnit(const QString &v) override { note("unit", v), page.unit = v; }
    void setOffset(int v) override { note("offset", QString::number(v)), page.offset = v; }
    void setInterrogation(int i, const QString &v) override
    {
        note(QStringLiteral("i%1").arg(i + 1), v), page.interrogation[std::size_t(i)] = v;
    }

    configtool::Rs232PageSettings page;

protected:
    void note(const QString &control, const QString &value)
    {
        this->changes << QStringLiteral("%1=%2").arg(control, value);
    }
};

class RecordingRs232Page : public RecordingRs232Controls<configtool::Rs232PageView> {
public:
    std::optional<int> reference() const override { return currentReference; }
    void setReference(int v) override { note("reference", QString::number(v)), currentReference = v; }
    void setCableName(const QString &v) override { note("name", v); }
    bool gridIncluded() const override { return grid; }
    QString gridCell(int row, int column) const override { return cells[row][column]; }
    void setGridCell(int row, int column, const QString &text) override { cells[row][column] = text; }

    std::optional<int> currentReference = 0;
    bool grid = true;
    std::array<std::array<QString, 9>, 10> cells;
};

class RecordingAnalogPage : public RecordingOperationView<configtool::AnalogPageView> {
public:
    std::optional<int> reference() const override { return currentReference; }
    void setReference(int v) override { note("reference", QString::number(v)), currentReference = v; }
    void setCableName(const QString &v) override { note("name", v); }
    QString minimumText() const override { return minimum; }
    QString maximumText() const override { return maximum; }
    int decimals() const override { return decimalCount; }
    void setMinimum(float v) override { note("min", configtool::formatAnalogValue(v, QLocale::c())); }
    void setMaximum(float v) override { note("max", configtool::formatAnalogValue(v, QLocale::c())); }
    void setDecimals(int v) override { note("decimals", QString::number(v)), decimalCount = v; }

    std::optional<int> currentReference = 0;
    QString minimum = "0.000";
    QString maximum = "10.000";
    int decimalCount = 3;

private:
    void note(const QString &control, const QString &value)
    {
        changes << QStringLiteral("%1=%2").arg(control, value);
    }
};

class RecordingProgrammableCable : public RecordingRs232Controls<configtool::ProgrammableCableView> {
public:
    QString supply() const override { return currentSupply; }
    void setSupply(const QString &v) override { note("supply", v), currentSupply = v; }
    void setReferenceText(const QString &v) override { note("reference", v); }

    QString currentSupply = "12v";
};
