#pragma once

#include "common/captiontable.h"
#include "configtool/cableview.h"

#include <QStringList>

#include <array>
#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QObject;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QWidget;

namespace configtool {

using common::CaptionRegistry;
class SetrixTexts;

// The RS232 settings controls that the register cable window's RS232 page and
// the programmable cable window share, under the names both windows give them.
class Rs232Controls {
public:
    QLabel *r_vitesse = nullptr;
    QLabel *r_donnees = nullptr;
    QLabel *r_parite = nullptr;
    QLabel *r_fintrame = nullptr;
    QLabel *r_unite = nullptr;
    QLabel *r_offset = nullptr;
    QLabel *ch_interr = nullptr;
    QComboBox *ComboBox1 = nullptr; // speed
    QSpinBox *SpinEdit2 = nullptr;  // data bits
    QComboBox *c_parite = nullptr;
    QLineEdit *Edit1 = nullptr;     // end of frame
    QComboBox *ComboBox4 = nullptr; // unit
    QSpinBox *SpinEdit1 = nullptr;  // offset
    QLineEdit *Edit2 = nullptr, *Edit3 = nullptr, *Edit4 = nullptr, *Edit5 = nullptr;
    QLineEdit *Edit6 = nullptr, *Edit7 = nullptr, *Edit8 = nullptr, *Edit9 = nullptr;
    QComboBox *ref_cable = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QPushButton *btn_lire = nullptr;
    QPushButton *btn_prog = nullptr;

    // Edit2 .. Edit9 for characters 1 .. 8.
    std::array<QLineEdit *, 8> interrogationEdits() const;
    Rs232PageSettings rs232Settings() const;

    // What a read or a chosen record puts into the controls. A parity is shown
    // as the list's entry for the parity it names (see parityOf), else as it is.
    void showSpeed(const QString &speed);
    void showParity(const QString &parity);
    void showUnit(const QString &unit);
    // The list's text, without it counting as the user's choice.
    void showReference(const QString &text);

protected:
    // Lays the controls out on `page`; the interrogation boxes and what follows
    // them start at `lowerTop`.
    void createRs232Controls(QWidget *page, const QStringList &speeds, int lowerTop);
    void registerRs232Captions(CaptionRegistry &registry, const QString &form);

private:
    QStringList parityEntries() const;
    void renameParityEntry(int index, const QString &name);
    void showParityAs(std::optional<int> entry, const QString &text);
};

// The cable windows' messages in the language applied.
CableMessages cableMessages(const SetrixTexts &texts);

// Shows a message of an operation in the window's modal box of that kind.
void showCableMessage(QWidget *window, MessageKind kind, const QString &text);

// A combo box's text set by the program: no change handler runs.
void setComboText(QComboBox *box, const QString &text);

// Runs `chosen` whenever a reference list's text is chosen: picked from the
// list, set by the program, or typed and confirmed with Enter or by leaving
// the list. While a text is being typed, `typing` runs instead, so that half a
// reference loads no record.
void onReferenceChosen(QComboBox *list, QObject *context, std::function<void()> chosen,
                       std::function<void()> typing = [] {});

// The progress bar, the two buttons and the messages of one page.
template <typename View>
class OperationWidgets : public View {
public:
    OperationWidgets(QWidget *window, QProgressBar *bar, QPushButton *first, QPushButton *second)
        : m_window(window), m_bar(bar), m_first(first), m_second(second) {}
    void setProgressMaximum(int maximum) override;
    void setProgress(int position) override;
    void setButtonsEnabled(bool enabled) override;
    void showMessage(MessageKind kind, const QString &text) override { showCableMessage(m_window, kind, text); }

protected:
    QWidget *m_window;
    QProgressBar *m_bar;
    QPushButton *m_first;
    QPushButton *m_second;
};

// The RS232 settings part of a view over the shared controls.
template <typename View>
class Rs232Widgets : public OperationWidgets<View> {
public:
    explicit Rs232Widgets(QWidget *window, Rs232Controls &controls)
        : OperationWidgets<View>(window, controls.ProgressBar1, controls.btn_lire, controls.btn_prog), c(controls) {}
    Rs232PageSettings settings() const override { return c.rs232Settings(); }
    void setSpeed(const QString &v) override { c.showSpeed(v); }
    void setDataBits(int v) override;
    void setParity(const QString &v) override { c.showParity(v); }
    void setEndOfFrame(const QString &v) override;
    void setUnit(const QString &v) override { c.showUnit(v); }
    void setOffset(int v) override;
    void setInterrogation(int index, const QString &v) override;

protected:
    Rs232Controls &c;
};

} // namespace configtool

#include "configtool/ui/cablecontrols_impl.h"
