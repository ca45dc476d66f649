#include "configtool/ui/setrixprogram.h"

#include "common/ui/apropos.h"
#include "configtool/ui/config_avancee.h"
#include "configtool/ui/prog_form.h"
#include "configtool/ui/prog_vtr.h"
#include "configtool/ui/typecable.h"
#include "configtool/ui/update.h"

namespace configtool {

CableWindowContext cableWindowContext(TForm1 &main)
{
    return {main.link(), main.texts(), [&main] { return main.cableListPath(); }};
}

UpdateWindowContext updateWindowContext(TForm1 &main)
{
    return {main.texts(), [&main] { return main.proxySettings(); }, [&main] { return main.date_liste_cables(); },
            [&main] { return main.cableListUpdatePath(); }};
}

SetrixProgram::SetrixProgram(SetrixFolders folders)
    : m_form1(std::make_unique<TForm1>(m_ports, m_pump, m_clock, std::move(folders)))
{
    // The dialogs are the main window's children: modal above it, gone with it.
    TForm1 *main = m_form1.get();
    m_dialogs.about = new common::TAboutBox(common::AboutProgram::setrix(), main);
    m_dialogs.form2 = new TForm2(cableWindowContext(*main), main);
    m_dialogs.form3 = new TForm3(updateWindowContext(*main), main);
    m_dialogs.form4 = new TForm4(cableWindowContext(*main), main);
    m_dialogs.form6 = new TForm6(main->settingsFile(), [main] { return main->lettre_modele(); }, main);
    m_dialogs.form7 = new TForm7(m_dialogs.form2, main);

    QObject::connect(main, &TForm1::cableGridOffered, m_dialogs.form2, &TForm2::setGridOffered);
    QObject::connect(m_dialogs.form6, &TForm6::addressedModeChosen, main, &TForm1::useAddressedMode);
    QObject::connect(m_dialogs.form6, &TForm6::readingChosen, main, &TForm1::applyReadingChoice);

    main->attachDialogs(m_dialogs);
    CaptionRegistry &captions = main->captions();
    m_dialogs.form2->registerCaptions(captions);
    m_dialogs.form3->registerCaptions(captions);
    m_dialogs.form4->registerCaptions(captions);
    m_dialogs.form6->registerCaptions(captions);
    m_dialogs.form7->registerCaptions(captions);
}

SetrixProgram::~SetrixProgram() = default;

} // namespace configtool
