#pragma once

#include "configtool/cableloading.h"
#include "configtool/registers.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace configtool {

enum class MessageKind {
    Error,       // error style, one "OK"
    Information, // information style, one "OK"
    Plain,       // no icon, one "OK"
};

// The language lines the cable windows show (50 to 53), and the added
// messages: a multiplexer that went away, which the cable is not to blame for,
// and the two refusals to program.
struct CableMessages {
    QString noReply;      // 50
    QString endOfFrame;   // 51
    QString verifyFailed; // 52, followed by the register number
    QString programmed;   // 53
    QString disconnected;
    QString unknownParity; // %1: the parity box's text
    QString noCableChosen;
};

// What every cable operation drives on its window: one progress bar, the two
// operation buttons of the page, and modal messages.
class CableOperationView {
public:
    virtual ~CableOperationView() = default;
    virtual void setProgressMaximum(int maximum) = 0;
    virtual void setProgress(int position) = 0;
    virtual void setButtonsEnabled(bool enabled) = 0;
    // Blocks until answered, like the window's modal boxes.
    virtual void showMessage(MessageKind kind, const QString &text) = 0;
};

// A page of the register cable window.
class RegisterPageView : public CableOperationView {
public:
    // The reference number the page programs; none while it shows no cable.
    virtual std::optional<int> reference() const = 0;
    virtual void setReference(int reference) = 0;
    // Text of the page's reference list after a read.
    virtual void setCableName(const QString &name) = 0;
};

class Rs232PageView : public RegisterPageView, public Rs232RecordTarget {
public:
    // Its `reference` is not read: reference() is.
    virtual Rs232PageSettings settings() const = 0;
    virtual bool gridIncluded() const = 0;
    virtual QString gridCell(int row, int column) const = 0; // row 0..9, column 1..8
    virtual void setGridCell(int row, int column, const QString &text) = 0;
};

class AnalogPageView : public RegisterPageView, public AnalogRecordTarget {
public:
    virtual QString minimumText() const = 0;
    virtual QString maximumText() const = 0;
    virtual int decimals() const = 0;
};

// The programmable cable window.
class ProgrammableCableView : public CableOperationView, public Rs232RecordTarget {
public:
    // Its `reference` is not used.
    virtual Rs232PageSettings settings() const = 0;
    virtual QString supply() const = 0;
    virtual void setReferenceText(const QString &label) = 0;
};

} // namespace configtool
