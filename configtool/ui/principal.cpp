#include "configtool/ui/principal.h"

#include "common/terminal.h"
#include "common/localelanguage.h"
#include "common/ui/apropos.h"
#include "common/ui/messages.h"
#include "common/usererror.h"
#include "configtool/cableconfigrules.h"
#include "configtool/cableidentity.h"
#include "configtool/cablelist/cablelistdate.h"
#include "configtool/receivedisplay.h"
#include "configtool/setrixsettings.h"
#include "configtool/cablelist/startupcablelist.h"
#include "configtool/ui/config_avancee.h"
#include "configtool/ui/prog_form.h"
#include "configtool/ui/prog_vtr.h"
#include "configtool/ui/typecable.h"
#include "configtool/ui/update.h"
#include "link/commands.h"
#include "link/eventpump.h"
#include "link/models.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTime>
#include <QTimer>
#include <QToolButton>

namespace configtool {

namespace {
// The system's long time format without the time zone, which would not fit the panel.
QString longTime(const QTime &time)
{
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.remove(u't');
    return QLocale::system().toString(time, format.trimmed());
}
} // namespace

TForm1::~TForm1() = default;

void TForm1::attachDialogs(const SetrixDialogs &dialogs)
{
    m_dialogs = dialogs;
    if (auto *about = dialogs.about) {
        CaptionRegistry &captions = m_language.registry();
        captions.add(QStringLiteral("AboutBox.caption"), [about](const QString &t) { about->setCaption(t); });
        captions.add(QStringLiteral("AboutBox.Label7"), [about](const QString &t) { about->setVersionLine(t); });
        captions.add(QStringLiteral("AboutBox.label9"), [about](const QString &t) { about->setMemoryLabel(t); });
        captions.add(QStringLiteral("AboutBox.Button1"), [about](const QString &t) { about->setSupportButton(t); });
        captions.addAdded(added::packageLine, [about](const QString &t) { about->setPackageLine(t); });
    }
}

QString TForm1::statusPanel(int panel) const
{
    return m_panels.at(panel)->text();
}

void TForm1::setCommandButtonsEnabled(bool enabled)
{
    for (QToolButton *b : {btn_selection, btn_lecture, btn_snumber, btn_config, btn_retrocommande})
        b->setEnabled(enabled);
}

void TForm1::tick(const std::vector<QAction *> &items, int index)
{
    for (size_t i = 0; i < items.size(); ++i)
        items[i]->setChecked(int(i) == index);
}

void TForm1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    common::centreOnScreen(this);
    guarded([this] { FormShow(); });
    // Activation comes once, when the shown window first takes the focus.
    QTimer::singleShot(0, this, [this] { guarded([this] { FormActivate(); }); });
}

void TForm1::closeEvent(QCloseEvent *event)
{
    m_closed = true;
    m_link.close();
    QMainWindow::closeEvent(event);
}

void TForm1::FormShow()
{
    AddMenuLang();
    const SetrixSettings settings = readSetrixSettings(m_settings);
    m_services.proxy = {settings.enableProxy, settings.proxy, settings.proxyPort};
    for (int d = 0; d < RetroCaptions::count; ++d)
        m_retroCaptions.setCaption(d, settings.retroCaptions.value(d));
    refreshRetroItems();

    // A cable list that cannot be read (missing, empty, not a file) costs none of
    // the other steps: without the language every later box would be blank. Its
    // date stays unknown, so the update is offered, and its failure is shown once.
    QString listFailure;
    try {
        m_services.cableListDate = readStartupCableListDate(m_services.cableListPath());
    } catch (const common::UserError &error) {
        listFailure = error.text();
    }
    // A stored position without a file leaves the built-in captions.
    guarded([this, &settings] {
        if (settings.langueStored)
            m_language.start(settings.langue);
        else
            m_language.startFromLocale(common::messagesLocale());
    });
    Memo1->setFocus();
    if (!listFailure.isEmpty())
        common::showError(this, listFailure);
}

void TForm1::FormActivate()
{
    if (m_activated)
        return;
    m_activated = true;
    Detection_Mux();
    if (m_closed) {
        m_startupDone = true;
        return;
    }
    if (isCableListOutdated(m_services.cableListDate, m_services.today()) && common::askQuestion(this, m_texts.updateQuestion())
        && m_dialogs.form3)
        m_dialogs.form3->exec();
    m_startupDone = true;
}

void TForm1::AddMenuLang()
{
    m_language.listLanguages([this] { m_link.pump().processPending(); });
}

void TForm1::showLanguage(int position, const QString &name)
{
    QAction *item = m_langue.at(position - 1);
    item->setText(name);
    item->setVisible(true);
}

void TForm1::setLanguageChecked(int position, bool checked)
{
    m_langue.at(position - 1)->setChecked(checked);
}

void TForm1::LangueClick(int position)
{
    if (m_language.choose(position))
        refreshLanguageTexts();
}

void TForm1::refreshLanguageTexts()
{
    showMuxStatus();
    if (m_instrument != 0 && !m_panels[1]->text().isEmpty())
        m_panels[1]->setText(m_texts.instrumentChosen(m_instrument));
}

void TForm1::showMuxStatus()
{
    switch (m_muxStatus) {
    case MuxStatus::None:
        return;
    case MuxStatus::Found:
        m_panels[0]->setText(
            muxlink::modelInfo(m_foundModel, m_foundPort, m_texts.message(SetrixMessage::multiplexerModelPrefix))
                .statusText);
        return;
    case MuxStatus::Lost:
        m_panels[0]->setText(m_texts.added(added::muxDisconnected));
        return;
    }
}

void TForm1::Detection_Mux()
{
    switch (m_link.scan()) {
    case muxlink::ScanResult::Busy:
        return; // a click served inside the running scan's waits
    case muxlink::ScanResult::Cancelled:
        return; // the window was closed during the scan
    case muxlink::ScanResult::NotFound:
        m_muxFound = false;
        pas_de_mux();
        btn_connexion->setEnabled(true);
        return;
    case muxlink::ScanResult::Found:
        m_muxFound = true;
        m_portLost = false;
        applyScan();
        return;
    }
}

void TForm1::pas_de_mux()
{
    QApplication::beep();
    const QString denied = m_link.deniedDevices();
    if (denied.isEmpty()) {
        common::showError(this, m_texts.noMultiplexer());
        return;
    }
    const QString text = m_texts.added(added::portPermission).arg(denied);
    common::printToTerminal(text);
    common::showError(this, text);
}

void TForm1::applyScan()
{
    btn_connexion->setEnabled(false);
    setCommandButtonsEnabled(true);
    btn_lecture->setEnabled(false);
    const muxlink::ModelInfo info = muxlink::modelInfo(m_link.model(), m_link.port(),
                                                       m_texts.message(SetrixMessage::multiplexerModelPrefix));
    if (info.changesStatus) {
        m_muxStatus = MuxStatus::Found;
        m_foundModel = m_link.model();
        m_foundPort = m_link.port();
        m_panels[0]->setText(info.statusText);
        if (info.inputs > 0) {
            for (int k = 1; k <= int(m_inst.size()); ++k)
                m_inst.at(k - 1)->setVisible(k <= info.inputs);
        }
    }
    if (info.cable == muxlink::CableConfiguration::None)
        btn_config->setEnabled(false);
}

void TForm1::portLost()
{
    m_portLost = true;
    m_muxFound = false;
    m_link.close();
    m_muxStatus = MuxStatus::Lost;
    showMuxStatus();
    setCommandButtonsEnabled(false);
    btn_connexion->setEnabled(true);
}

void TForm1::Timer1Timer()
{
    // A new scan's waits still drain the port under probe.
    if (m_portLost && !m_link.scanning())
        return;
    const ReceivedBatch batch = gatherIncoming(m_link.ports(), m_link.port());
    if (batch.received)
        DisplayString(batch.text);
    if (batch.endsLine)
        Afficher_caractere('\n');
    // A port under probe belongs to the scan, which reports its own failures.
    if (batch.gone && m_muxFound && !m_link.scanning())
        portLost();
}

void TForm1::DisplayString(const QString &text)
{
    QScrollBar *scroll = Memo1->verticalScrollBar();
    const bool following = scroll->value() == scroll->maximum();
    QTextDocument *document = Memo1->document();
    QTextCursor end(document);
    end.movePosition(QTextCursor::End);
    end.insertText(breakLongLines(text, document->lastBlock().length() - 1));
    if (following)
        scroll->setValue(scroll->maximum());
}

void TForm1::Afficher_caractere(char c)
{
    if (c == '\n')
        DisplayString(QStringLiteral("\n"));
}

void TForm1::HorlogeTimer()
{
    m_panels[2]->setText(longTime(QTime::currentTime()));
}

void TForm1::btn_connexionClick()
{
    Detection_Mux();
}

void TForm1::instClick(int instrument)
{
    if (m_link.send(muxlink::selectCommand(instrument)) != 0)
        return;
    tick(m_inst, instrument - 1);
    m_instrument = instrument;
    m_panels[1]->setText(m_texts.instrumentChosen(instrument));
    btn_lecture->setEnabled(true);
}

void TForm1::btn_selectionClick()
{
    if (m_instrumentMask == 0)
        return;
    m_link.send(muxlink::multipleCommand(m_instrumentMask));
    btn_lecture->setEnabled(true);
}

void TForm1::btn_lectureClick()
{
    m_link.send(muxlink::readInstrumentCommand());
}

void TForm1::btn_snumberClick()
{
    m_link.send(muxlink::identifyCommand());
}

void TForm1::RtrocommandeClick(int digit)
{
    if (m_link.send(muxlink::retroCommand(digit)) != 0)
        return;
    tick(m_retro, digit);
    setButtonCaption(btn_retrocommande, m_retroCaptions.caption(digit));
}

void TForm1::btn_retrocommandeClick()
{
    for (int d = 0; d < int(m_retro.size()); ++d) {
        if (m_retro.at(d)->isChecked()) {
            m_link.send(muxlink::retroCommand(d));
            return;
        }
    }
}

void TForm1::useAddressedMode()
{
    m_instrumentMask = 0;
    for (QAction *item : m_inst) {
        item->setEnabled(true);
        item->setChecked(false);
    }
}

// An empty caption leaves its item to the generic caption of the next language.
void TForm1::applyReadingChoice(const ReadingChoice &choice)
{
    for (int d = 0; d < int(choice.retroCaptions.size()); ++d) {
        if (!choice.retroCaptions[d].isEmpty())
            m_retroCaptions.setCaption(d, choice.retroCaptions[d]);
    }
    refreshRetroItems();
    m_instrumentMask = 0;
    if (!choice.multiple)
        return;
    for (int n = 0; n < int(m_inst.size()); ++n) {
        m_inst.at(n)->setChecked(choice.ticked.at(n));
        m_inst.at(n)->setEnabled(false);
    }
    m_instrumentMask = choice.mask;
}

void TForm1::refreshRetroItems()
{
    for (int d = 0; d < int(m_retro.size()); ++d)
        m_retro.at(d)->setText(m_retroCaptions.caption(d));
}

void TForm1::btn_configClick()
{
    const CableConfigStep step = cableConfigStep(m_link.model(), m_link.version(), m_instrument, m_texts);
    emit cableGridOffered(!step.hideMoreButton);
    if (step.box == CableConfigStep::Box::Information)
        common::showInformation(this, step.boxText);
    else if (step.box == CableConfigStep::Box::Error)
        common::showError(this, step.boxText);

    switch (step.next) {
    case CableConfigStep::Next::Stop:
        return;
    case CableConfigStep::Next::OpenCableTypeChooser:
        if (m_dialogs.form7)
            m_dialogs.form7->exec();
        return;
    case CableConfigStep::Next::CheckCableIdentity: {
        const CableIdentity identity = askCableIdentity(m_link, m_instrument);
        if (identity.gone) {
            portLost();
            return;
        }
        if (m_dialogs.form4)
            m_dialogs.form4->setWindowTitle(identity.reply);
        if (!identity.programmable) {
            common::showError(this, m_texts.notProgrammable(identity.reply));
            return;
        }
        if (m_dialogs.form4)
            m_dialogs.form4->exec();
        return;
    }
    }
}

void TForm1::Effacerlazonetampon1Click()
{
    // An empty document is one empty line: the receive area always has a last line.
    Memo1->clear();
}

void TForm1::Configurer1Click()
{
    if (m_dialogs.form6)
        m_dialogs.form6->exec();
}

void TForm1::MiseAJour1Click()
{
    if (m_dialogs.form3)
        m_dialogs.form3->exec();
}

void TForm1::Quiter1Click()
{
    close();
}

void TForm1::Aide1Click()
{
    if (m_dialogs.about)
        m_dialogs.about->exec();
}

} // namespace configtool
