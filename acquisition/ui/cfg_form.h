#pragma once

#include "acquisition/configurationsession.h"
#include "acquisition/configvalues.h"
#include "acquisition/quorixlanguage.h"
#include "common/settingsfile.h"
#include "common/ui/messages.h"

#include <QDialog>
#include <QUrl>

#include <array>
#include <functional>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;

namespace acquisition {

class ArrowSpinBox;
class RadioGroup;

// The configuration editor. Its controls are the live store of the acquisition
// configuration: other code reads and writes them only through the
// ConfigurationValues interface, and every change, by the user or the program,
// goes through the change handlers and sets the session's modified mark.
//
// The handlers throw common::UserError; the menu items and the button run them
// through common::runGuarded, which shows the error and keeps the editor open.
class Tconfig_form : public QDialog, public ConfigurationValues {
    Q_OBJECT
public:
    // settings: quorix.ini, written when a configuration is saved.
    Tconfig_form(ConfigurationSession &session, const QuorixMessages &messages,
                 common::SettingsFile settings, QWidget *parent = nullptr);

    // What the editor asks of its surroundings; each has a working default and
    // the main window or a test may replace it.
    struct Hooks {
        std::function<QString()> chooseOpenPath;   // empty: cancelled
        std::function<QString()> chooseSavePath;   // empty: cancelled
        std::function<bool()> askQuit;             // the program's quit question
        std::function<common::Answer()> askSave;   // the program's save question
        std::function<void()> endProgram;
        std::function<void()> showAbout;
        std::function<void(const QUrl &)> openHelp;
        std::function<void()> configurationSaved;  // lets the main window enable "&Configuration"
    };
    Hooks hooks;

    // Registers the editor's captions under the caption map's names.
    void registerCaptions(common::CaptionRegistry &targets);

    // ConfigurationValues over the controls.
    QString step(Step which) const override;
    void setStep(Step which, const QString &text) override;
    int batchSize() const override;
    void setBatchSize(int size) override;
    int measurementMode() const override;
    void setMeasurementMode(int mode) override;
    int multiplexerMode() const override;
    void setMultiplexerMode(int mode) override;
    QString instrumentCount(int instrument) const override;
    void setInstrumentCount(int instrument, const QString &text) override;
    bool instrumentChecked(int instrument) const override;
    void setInstrumentChecked(int instrument, bool checked) override;

    // Change handlers. The edits and check boxes share one, as they only mark
    // the configuration as modified.
    void fieldChange();
    void taille_prelevChange();
    void RadioGroup1Click();
    void ModeMuxClick();

    // Commands.
    void Nouveau1Click();
    void Ouvrir1Click();
    void Enregistrer1Click();
    void Button2Click();
    void menuExitClick();
    void Aide1Click();
    void Apropos2Click();

    QMenuBar *MainMenu;
    QMenu *menuLine;
    QAction *Nouveau1;
    QAction *Ouvrir1;
    QAction *Enregistrer1;
    QAction *menuExit;
    QMenu *aide;
    QAction *Aide1;
    QAction *Apropos2;

    QGroupBox *incrementsGroup;
    QLabel *Label13, *Label14, *Label17, *Label18, *Label19, *Label20;
    QLineEdit *Edit11, *Edit12, *Edit16, *Edit15;
    RadioGroup *RadioGroup1;
    QGroupBox *batchGroup;
    QLabel *Label21, *Label24, *Label23, *Label22, *Label25;
    QLineEdit *lot_vert, *lot_horiz;
    ArrowSpinBox *taille_prelev;
    QPushButton *Button2;

    RadioGroup *ModeMux;
    QGroupBox *instrumentGroup;
    QLabel *Label1, *Label2, *Label11;
    QLabel *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9, *Label10;
    QLineEdit *Edit2, *Edit3, *Edit4, *Edit5, *Edit6, *Edit8, *Edit9, *Edit7;
    QCheckBox *CheckBox1, *CheckBox2, *CheckBox3, *CheckBox4, *CheckBox5, *CheckBox6,
        *CheckBox7, *CheckBox8;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void createMenus();
    void createLeftColumn(QWidget *client);
    void createRightColumn(QWidget *client);
    void connectHandlers();
    void setDefaultHooks();
    void updateBatchGroup();
    void updateInstrumentColumn();
    void markModified() { m_session.config_modifiee = true; }
    void guarded(const std::function<void()> &handler);

    ConfigurationSession &m_session;
    const QuorixMessages &m_messages;
    common::SettingsFile m_settings;
    std::array<QLineEdit *, kStepCount> m_steps{};         // in Step order
    std::array<QLabel *, kInstrumentCount> m_rowNames{};   // instrument order
    std::array<QLineEdit *, kInstrumentCount> m_counts{};  // instrument order
    std::array<QCheckBox *, kInstrumentCount> m_checks{};  // instrument order
};

} // namespace acquisition
