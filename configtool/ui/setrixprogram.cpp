#include "configtool/ui/setrixprogram.h"

#include "common/ui/apropos.h"
#include "configtool/ui/config_avancee.h"
#include "configtool/ui/prog_form.h"
#include "configtool/ui/prog_vtr.h"
#include "configtool/ui/typecable.h"
#include "configtool/ui/update.h"

namespace configtool {

CableWindowContext cableWindowContext(SetrixServices &services)
{
    return {services.link, services.texts, [&services] { return services.cableListPath(); }};
}

UpdateWindowContext updateWindowContext(SetrixServices &services)
{
    return {services.texts, [&services] { return services.proxy; }, [&services] { return services.cableListDate; },
            [&services] { return services.cableListUpdatePath(); }};
}

SetrixProgram::SetrixProgram(const SetrixFolders &folders)
    : m_services(m_ports, m_pump, m_clock, folders),
      m_form1(std::make_unique<TForm1>(m_services))
{
    // The dialogs are the main window's children: modal above it, gone with it.
    TForm1 *main = m_form1.get();
    m_dialogs.about = new common::TAboutBox(common::AboutProgram::setrix(), main);
    m_dialogs.form2 = new TForm2(cableWindowContext(m_services), main);
    m_dialogs.form3 = new TForm3(updateWindowContext(m_services), main);
    m_dialogs.form4 = new TForm4(cableWindowContext(m_services), main);
    m_dialogs.form6 = new TForm6(m_services.settings, [this] { return m_services.link.model(); }, main);
    m_dialogs.form7 = new TForm7(m_dialogs.form2, main);

    QObject::connect(main, &TForm1::cableGridOffered, m_dialogs.form2, &TForm2::setGridOffered);
    QObject::connect(m_dialogs.form6, &TForm6::addressedModeChosen, main, &TForm1::useAddressedMode);
    QObject::connect(m_dialogs.form6, &TForm6::readingChosen, main, &TForm1::applyReadingChoice);

    main->attachDialogs(m_dialogs);
    CaptionRegistry &captions = m_services.language.registry();
    m_dialogs.form2->registerCaptions(captions);
    m_dialogs.form3->registerCaptions(captions);
    m_dialogs.form4->registerCaptions(captions);
    m_dialogs.form6->registerCaptions(captions);
    m_dialogs.form7->registerCaptions(captions);
}

SetrixProgram::~SetrixProgram() = default;

} // namespace configtool
