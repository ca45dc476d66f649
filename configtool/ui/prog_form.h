#pragma once

#include "common/captiontable.h"
#include "configtool/ui/cablecontrols.h"
#include "configtool/ui/windowcontext.h"

#include <QDialog>

#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTabWidget;

namespace configtool {

using common::CaptionRegistry;

// The cable configuration window of register-programmed cables: an RS232 page
// (with the interrogation grid beside it) and an analog page, one shown at a
// time.
class TForm2 : public QDialog, public Rs232Controls {
    Q_OBJECT
public:
    explicit TForm2(CableWindowContext context, QWidget *parent = nullptr);
    ~TForm2() override;
    void registerCaptions(CaptionRegistry &registry);

    // The page the cable type chooser picked.
    void showRs232Page();
    void showAnalogPage();
    bool gridIncluded() const { return m_gridOpen; }
    // Multiplexers that cannot use the grid are not offered the ">>" button.
    void setGridOffered(bool offered);
    // The reference number each page programs: that of the cable its list
    // shows, none while it shows none.
    std::optional<int> rs232Reference() const { return m_rs232Reference; }
    std::optional<int> analogReference() const { return m_analogReference; }

    // Handlers.
    void FormShow();
    void ref_cableChange();
    void ComboBox2Change();
    void btn_lireClick();
    void btn_progClick();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void delay(double ms);

    QTabWidget *PageControl1;
    QWidget *TabSheet1;
    QWidget *TabSheet2;
    // ">>": shows or hides the interrogation grid.
    QPushButton *Button1;
    QLabel *Label2;
    QTableWidget *tabCmde;
    QLabel *Label3;
    QLabel *Label4;
    QLabel *Label5;
    QLabel *Label6;
    QLineEdit *Edit10;
    QLineEdit *Edit11;
    QSpinBox *SpinEdit3;
    QComboBox *ComboBox2;
    QComboBox *ComboBox3;
    QProgressBar *ProgressBar2;
    QPushButton *Button2;
    QPushButton *Button3;

protected:
    void showEvent(QShowEvent *event) override;

private:
    class Rs232Page;
    class AnalogPage;

    void createRs232Page();
    void createAnalogPage();
    void createGrid();
    CableMessages messages() const;
    void guarded(const std::function<void()> &handler);
    void loadPreselectedRecord();

    CableWindowContext m_context;
    std::unique_ptr<Rs232Page> m_rs232;
    std::unique_ptr<AnalogPage> m_analog;
    bool m_gridOpen = false;
    bool m_listsFilled = false;
    bool m_rs232Loaded = false;
    bool m_analogLoaded = false;
    std::optional<int> m_rs232Reference;
    std::optional<int> m_analogReference;
};

} // namespace configtool
