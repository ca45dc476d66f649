#pragma once

#include "common/languagefiles.h"
#include "common/ui/windowhelpers.h"
#include "configtool/captionmap.h"
#include "configtool/retrocaptions.h"
#include "configtool/ui/setrixservices.h"

#include <QMainWindow>

#include <array>

class QLabel;
class QMenu;
class QPlainTextEdit;
class QTimer;
class QToolBar;
class QToolButton;

namespace common {
class TAboutBox;
}

namespace configtool {

class TForm2;
class TForm3;
class TForm4;
class TForm6;
class TForm7;
struct ReadingChoice;

// The windows created after the main window, which it opens and captions.
struct SetrixDialogs {
    common::TAboutBox *about = nullptr;
    TForm2 *form2 = nullptr;
    TForm3 *form3 = nullptr;
    TForm4 *form4 = nullptr;
    TForm6 *form6 = nullptr;
    TForm7 *form7 = nullptr;
};

// Setrix's main window: finds the multiplexer, addresses and reads its inputs,
// sends the retro-commands, shows everything received and opens the cable windows.
class TForm1 : public QMainWindow, public common::LanguageMenu, public common::GuardedHandlers<TForm1> {
    Q_OBJECT
public:
    explicit TForm1(SetrixServices &services, QWidget *parent = nullptr);
    ~TForm1() override;

    // Called once the other windows exist: they take their captions from here on.
    void attachDialogs(const SetrixDialogs &dialogs);

    int port_com() const { return m_link.port(); }
    bool mux_trouve() const { return m_muxFound; }
    QString lettre_modele() const { return m_link.model(); }
    int instrument_choisi() const { return m_instrument; }
    quint8 instrumentMask() const { return m_instrumentMask; }
    QAction *instrumentItem(int instrument) const { return m_inst.at(instrument - 1); }
    QAction *retroItem(int digit) const { return m_retro.at(digit); }
    QString statusPanel(int panel) const;
    // True once the start-up scan and the cable list question are over.
    bool startupDone() const { return m_startupDone; }

    // Handlers.
    void FormShow();
    void FormActivate();
    void Timer1Timer();
    void HorlogeTimer();
    void btn_connexionClick();
    void btn_selectionClick();
    void btn_lectureClick();
    void btn_snumberClick();
    void btn_configClick();
    void btn_retrocommandeClick();
    void instClick(int instrument);      // inst1Click .. inst8Click
    void RtrocommandeClick(int digit);   // Rtrocommande11Click .. Rtrocommande91Click
    void Effacerlazonetampon1Click();
    void Configurer1Click();
    void MiseAJour1Click(); // the cable list update, whatever the list's age
    void Quiter1Click();
    void Aide1Click();
    void LangueClick(int position);      // Langue11Click .. Langue51Click
    void AddMenuLang();
    void Detection_Mux();
    void pas_de_mux();

    // What the reading mode window chose.
    void useAddressedMode();
    void applyReadingChoice(const ReadingChoice &choice);

signals:
    // Whether the cable configuration window offers its interrogation grid,
    // which depends on the multiplexer; told before that window opens.
    void cableGridOffered(bool offered);

public:
    // Controls.
    QToolBar *ToolBar1;
    QToolButton *btn_connexion;
    QToolButton *btn_selection;
    QToolButton *btn_lecture;
    QToolButton *btn_snumber;
    QToolButton *btn_config;
    QToolButton *btn_retrocommande;
    QPlainTextEdit *Memo1;
    QMenu *instrument_select;
    QMenu *menu_retro;
    QMenu *Fichier1;
    QAction *Effacerlazonetampon1;
    QAction *Configurer1;
    QAction *MiseAJour1;
    QAction *Quiter1;
    QMenu *Langue1;
    QAction *Aide1;
    QTimer *Timer1;
    QTimer *Horloge;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void createMenus();
    void createStatusBar();
    void registerCaptions();
    void applyScan();
    void portLost();
    void DisplayString(const QString &text);
    void Afficher_caractere(char c);
    void refreshRetroItems();
    void tick(const std::vector<QAction *> &items, int index);
    void setCommandButtonsEnabled(bool enabled);
    void setButtonCaption(QToolButton *button, const QString &text);
    // The status bar's texts that come from the language, shown in the current one.
    void showMuxStatus();
    void refreshLanguageTexts();
    // LanguageMenu
    void showLanguage(int position, const QString &name) override;
    void setLanguageChecked(int position, bool checked) override;

    SetrixServices &m_services;
    // The parts of the services this window uses most.
    muxlink::ConfigToolLink &m_link;
    common::SettingsFile &m_settings;
    common::LanguageSwitch &m_language;
    const SetrixTexts &m_texts;
    SetrixDialogs m_dialogs;
    RetroCaptions m_retroCaptions;
    bool m_muxFound = false;
    bool m_portLost = false;
    bool m_shown = false;
    bool m_activated = false;
    bool m_startupDone = false;
    bool m_closed = false;
    int m_instrument = 0;
    // What status panel 0 tells of the multiplexer: nothing yet, the model
    // found (with its letter and port), or its loss.
    enum class MuxStatus { None, Found, Lost };
    MuxStatus m_muxStatus = MuxStatus::None;
    QString m_foundModel;
    int m_foundPort = 0;
    quint8 m_instrumentMask = 0;

    std::vector<QAction *> m_inst;     // inst1 .. inst8
    std::vector<QAction *> m_retro;    // Rtrocommande11, 12, 21 .. 91
    std::vector<QAction *> m_langue;   // Langue11 .. Langue51
    std::array<QLabel *, 3> m_panels {};
};

} // namespace configtool
