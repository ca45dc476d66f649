#include "acquisition/ui/cfg_form.h"

#include "acquisition/quorixini.h"
#include "acquisition/ui/arrowspinbox.h"
#include "acquisition/ui/helptexts.h"
#include "acquisition/ui/radiogroup.h"
#include "common/commontexts.h"
#include "common/filelocations.h"
#include "common/ui/apropos.h"
#include "common/ui/helppage.h"
#include "common/ui/windowflags.h"
#include "common/usererror.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace acquisition {

namespace {

constexpr int kClientWidth = 489;
constexpr int kClientHeight = 425;
constexpr int kLeftX = 8;
constexpr int kLeftWidth = 305;
constexpr int kRightX = 320;
constexpr int kRightWidth = 161;
constexpr int kFieldX = 248;   // input fields at the right edge of the left column
constexpr int kFieldWidth = 49;
constexpr int kFieldHeight = 21;
constexpr int kLabelWidth = 236;
constexpr int kFirstRowY = 48;
constexpr int kRowSpacing = 32;
constexpr int kRowNameX = 16;
constexpr int kCountX = 90;
constexpr int kCountWidth = 57;

QFont captionFont()
{
    QFont font;
    // Where Times New Roman is missing, a metric-compatible or any serif face.
    font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                      QStringLiteral("Nimbus Roman"), QStringLiteral("Times"), QStringLiteral("serif")});
    font.setStyleHint(QFont::Serif);
    font.setPointSize(10);
    return font;
}

QLabel *label(const QString &text, QWidget *parent, int x, int y, int width = kLabelWidth)
{
    auto *created = new QLabel(text, parent);
    created->setFont(captionFont());
    created->setGeometry(x, y, width, 16);
    return created;
}

QLineEdit *field(QWidget *parent, int x, int y, int width = kFieldWidth)
{
    auto *created = new QLineEdit(parent);
    created->setGeometry(x, y, width, kFieldHeight);
    return created;
}

// A caption setter that outlives its widget harmlessly.
template <typename Widget, typename Set>
void addTarget(common::CaptionRegistry &targets, const char16_t *name, Widget *widget, Set set)
{
    targets.add(QString::fromUtf16(name), [target = QPointer<Widget>(widget), set](const QString &text) {
        if (target)
            set(target.data(), text);
    });
}

void addTarget(common::CaptionRegistry &targets, const char16_t *name, QLabel *widget)
{
    addTarget(targets, name, widget, [](QLabel *l, const QString &text) { l->setText(text); });
}

void addTarget(common::CaptionRegistry &targets, const char16_t *name, QAction *action)
{
    addTarget(targets, name, action, [](QAction *a, const QString &text) { a->setText(text); });
}

} // namespace

Tconfig_form::Tconfig_form(ConfigurationSession &session, const QuorixMessages &messages,
                           common::SettingsFile settings, QWidget *parent)
    : QDialog(parent), m_session(session), m_messages(messages), m_settings(std::move(settings))
{
    setWindowTitle(QStringLiteral("Quorix"));
    setWindowFlags(common::fixedSizeWindowFlags(Qt::Dialog, true));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    createMenus();
    layout->setMenuBar(MainMenu);
    auto *client = new QWidget(this);
    client->setFixedSize(kClientWidth, kClientHeight);
    layout->addWidget(client);
    createLeftColumn(client);
    createRightColumn(client);

    updateBatchGroup();
    updateInstrumentColumn();
    setDefaultHooks();
    connectHandlers();
}

void Tconfig_form::createMenus()
{
    MainMenu = new QMenuBar(this);
    menuLine = MainMenu->addMenu(QStringLiteral("&Fichier"));
    Nouveau1 = menuLine->addAction(QStringLiteral("&Nouveau"));
    Ouvrir1 = menuLine->addAction(QStringLiteral("&Ouvrir"));
    Enregistrer1 = menuLine->addAction(QStringLiteral("&Enregistrer"));
    menuLine->addSeparator();
    menuExit = menuLine->addAction(QStringLiteral("&Quitter"));
    aide = MainMenu->addMenu(QStringLiteral("&?"));
    Aide1 = aide->addAction(QStringLiteral("&Aide"));
    aide->addSeparator();
    Apropos2 = aide->addAction(QStringLiteral("A &propos"));
}

void Tconfig_form::createLeftColumn(QWidget *client)
{
    incrementsGroup = new QGroupBox(client);
    incrementsGroup->setGeometry(kLeftX, 4, kLeftWidth, 150);
    Label13 = label(QStringLiteral("Incrément vertical (défaut 0)"), incrementsGroup, 8, 14);
    Edit11 = field(incrementsGroup, kFieldX, 12);
    Label14 = label(QStringLiteral("Incrément horizontal (défaut 1)"), incrementsGroup, 8, 42);
    Edit12 = field(incrementsGroup, kFieldX, 40);
    Label17 = label(QStringLiteral("Incrément vertical pour série de mesures"), incrementsGroup, 8, 68);
    Label18 = label(QStringLiteral("suivante (défaut 1)"), incrementsGroup, 8, 84);
    Edit16 = field(incrementsGroup, kFieldX, 74);
    Label19 = label(QStringLiteral("Incrément horizontal pour série de mesures"), incrementsGroup, 8, 108);
    Label20 = label(QStringLiteral("suivante (défaut 0)"), incrementsGroup, 8, 124);
    Edit15 = field(incrementsGroup, kFieldX, 114);

    RadioGroup1 = new RadioGroup({QStringLiteral("Mesure en continu"), QStringLiteral("Mesure par lot")}, 2, client);
    RadioGroup1->setGeometry(kLeftX, 158, kLeftWidth, 44);
    RadioGroup1->setItemFont(captionFont());
    RadioGroup1->setItemIndex(kContinuousMeasurement);

    batchGroup = new QGroupBox(client);
    batchGroup->setGeometry(kLeftX, 206, kLeftWidth, 150);
    Label21 = label(QStringLiteral("Incrément vetical pour lot suivant "), batchGroup, 8, 14);
    Label24 = label(QStringLiteral("(défaut 1)"), batchGroup, 8, 30);
    lot_vert = field(batchGroup, kFieldX, 20);
    Label23 = label(QStringLiteral("Incrément horizontal pour lot suivant"), batchGroup, 8, 60);
    Label22 = label(QStringLiteral("(défaut 0)"), batchGroup, 8, 76);
    lot_horiz = field(batchGroup, kFieldX, 66);
    Label25 = label(QStringLiteral("Taille du prélèvement"), batchGroup, 8, 114);
    taille_prelev = new ArrowSpinBox(batchGroup);
    taille_prelev->setGeometry(kFieldX, 110, kFieldWidth, 24);
    taille_prelev->setRange(kMinBatchSize, kMaxBatchSize);
    taille_prelev->setValue(kMinBatchSize);

    Button2 = new QPushButton(QStringLiteral("Mesure"), client);
    Button2->setGeometry(kLeftX, kClientHeight - 37, 89, 29);
    // Enter in a field must not leave the editor.
    Button2->setAutoDefault(false);

    m_steps = {Edit11, Edit12, Edit16, Edit15, lot_vert, lot_horiz};
}

void Tconfig_form::createRightColumn(QWidget *client)
{
    ModeMux = new RadioGroup({QStringLiteral("Mode adressé"), QStringLiteral("Mode multiple")}, 1, client);
    ModeMux->setGeometry(kRightX, 4, kRightWidth, 64);
    ModeMux->setItemFont(captionFont());
    ModeMux->setItemIndex(kAddressedMode);

    instrumentGroup = new QGroupBox(client);
    instrumentGroup->setGeometry(kRightX, 72, kRightWidth, kClientHeight - 80);
    Label1 = label(QStringLiteral("Instrument"), instrumentGroup, 8, 16, 76);
    Label2 = label(QStringLiteral("Nombre de"), instrumentGroup, kCountX, 8, 68);
    Label11 = label(QStringLiteral("mesures"), instrumentGroup, kCountX, 24, 68);

    const std::array<QLabel **, kInstrumentCount> names{&Label3, &Label4, &Label5, &Label6,
                                                        &Label7, &Label8, &Label9, &Label10};
    const std::array<QLineEdit **, kInstrumentCount> counts{&Edit2, &Edit3, &Edit4, &Edit5,
                                                            &Edit6, &Edit8, &Edit9, &Edit7};
    const std::array<QCheckBox **, kInstrumentCount> checks{&CheckBox1, &CheckBox2, &CheckBox3, &CheckBox4,
                                                            &CheckBox5, &CheckBox6, &CheckBox7, &CheckBox8};
    for (std::size_t i = 0; i < kInstrumentCount; ++i) {
        const int y = kFirstRowY + int(i) * kRowSpacing;
        const QString name = QStringLiteral("N°%1").arg(i + 1);
        m_rowNames.at(i) = *names.at(i) = label(name, instrumentGroup, kRowNameX, y + 3, 64);
        m_counts.at(i) = *counts.at(i) = field(instrumentGroup, kCountX, y, kCountWidth);
        auto *check = new QCheckBox(name, instrumentGroup);
        check->setFont(captionFont());
        check->setGeometry(kRowNameX, y + 1, 64, 20);
        m_checks.at(i) = *checks.at(i) = check;
    }
}

void Tconfig_form::connectHandlers()
{
    for (QLineEdit *edit : m_steps)
        connect(edit, &QLineEdit::textChanged, this, &Tconfig_form::fieldChange);
    for (QLineEdit *edit : m_counts)
        connect(edit, &QLineEdit::textChanged, this, &Tconfig_form::fieldChange);
    for (QCheckBox *check : m_checks)
        connect(check, &QCheckBox::toggled, this, &Tconfig_form::fieldChange);
    connect(taille_prelev, &QSpinBox::valueChanged, this, &Tconfig_form::taille_prelevChange);
    connect(RadioGroup1, &RadioGroup::clicked, this, &Tconfig_form::RadioGroup1Click);
    connect(ModeMux, &RadioGroup::clicked, this, &Tconfig_form::ModeMuxClick);

    const auto command = [this](QAction *action, void (Tconfig_form::*handler)()) {
        connect(action, &QAction::triggered, this, [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    };
    command(Nouveau1, &Tconfig_form::Nouveau1Click);
    command(Ouvrir1, &Tconfig_form::Ouvrir1Click);
    command(Enregistrer1, &Tconfig_form::Enregistrer1Click);
    command(menuExit, &Tconfig_form::menuExitClick);
    command(Aide1, &Tconfig_form::Aide1Click);
    command(Apropos2, &Tconfig_form::Apropos2Click);
    connect(Button2, &QPushButton::clicked, this, [this] { guarded([this] { Button2Click(); }); });
}

void Tconfig_form::setDefaultHooks()
{
    hooks.chooseOpenPath = [this] {
        return QFileDialog::getOpenFileName(this, common::inLanguage(common::texts::openTitle),
                                            common::configurationDialogFolder(m_session.fichier_config),
                                            m_messages.added.text(added::editorFilter));
    };
    hooks.chooseSavePath = [this] {
        QFileDialog dialog(this, common::inLanguage(common::texts::saveAsTitle),
                           common::configurationDialogFolder(m_session.fichier_config),
                           m_messages.added.text(added::editorFilter));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("mux"));
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    };
    hooks.askQuit = [this] { return common::askWarning(this, m_messages.msg_quitter); };
    hooks.askSave = [this] { return common::askConfirmation(this, m_messages.msg_enregistrer); };
    hooks.endProgram = [] { QCoreApplication::exit(0); };
    hooks.showAbout = [this] {
        common::TAboutBox box(common::AboutProgram::quorix(), this);
        box.exec();
    };
    hooks.openHelp = [this](const QUrl &url) {
        common::openHelpPage(this, url.toLocalFile(), helpPageTexts(m_messages));
    };
}

void Tconfig_form::registerCaptions(common::CaptionRegistry &targets)
{
    const std::pair<const char16_t *, QLabel *> labels[] = {
        {u"Label13", Label13}, {u"Label14", Label14}, {u"Label17", Label17}, {u"Label18", Label18},
        {u"Label19", Label19}, {u"Label20", Label20}, {u"Label21", Label21}, {u"Label24", Label24},
        {u"Label23", Label23}, {u"Label22", Label22}, {u"Label25", Label25}, {u"Label1", Label1},
        {u"Label2", Label2},   {u"Label11", Label11},
    };
    for (const auto &[name, widget] : labels)
        addTarget(targets, name, widget);
    const auto radioItem = [&](const char16_t *name, RadioGroup *group, int index) {
        addTarget(targets, name, group, [index](RadioGroup *g, const QString &text) { g->setItemText(index, text); });
    };
    radioItem(u"RadioGroup1[0]", RadioGroup1, 0);
    radioItem(u"RadioGroup1[1]", RadioGroup1, 1);
    radioItem(u"ModeMux[0]", ModeMux, 0);
    radioItem(u"ModeMux[1]", ModeMux, 1);
    addTarget(targets, u"Button2", Button2, [](QPushButton *b, const QString &text) { b->setText(text); });
    addTarget(targets, u"menuLine", menuLine, [](QMenu *m, const QString &text) { m->setTitle(text); });
    const std::pair<const char16_t *, QAction *> actions[] = {
        {u"Nouveau1", Nouveau1}, {u"Ouvrir1", Ouvrir1}, {u"Enregistrer1", Enregistrer1},
        {u"menuExit", menuExit}, {u"Aide1", Aide1},     {u"Apropos2", Apropos2},
    };
    for (const auto &[name, action] : actions)
        addTarget(targets, name, action);
}

// --- ConfigurationValues ---

QString Tconfig_form::step(Step which) const { return m_steps.at(std::size_t(which))->text(); }
void Tconfig_form::setStep(Step which, const QString &text) { m_steps.at(std::size_t(which))->setText(text); }
int Tconfig_form::batchSize() const { return taille_prelev->value(); }
void Tconfig_form::setBatchSize(int size) { taille_prelev->setValue(clampBatchSize(size)); }
int Tconfig_form::measurementMode() const { return RadioGroup1->itemIndex(); }
void Tconfig_form::setMeasurementMode(int mode) { RadioGroup1->setItemIndex(clampMode(mode)); }
int Tconfig_form::multiplexerMode() const { return ModeMux->itemIndex(); }
void Tconfig_form::setMultiplexerMode(int mode) { ModeMux->setItemIndex(clampMode(mode)); }

namespace {
std::size_t slot(int instrument)
{
    Q_ASSERT(instrument >= 1 && instrument <= kInstrumentCount);
    return std::size_t(std::clamp(instrument, 1, kInstrumentCount) - 1);
}
} // namespace

QString Tconfig_form::instrumentCount(int instrument) const { return m_counts.at(slot(instrument))->text(); }

void Tconfig_form::setInstrumentCount(int instrument, const QString &text)
{
    m_counts.at(slot(instrument))->setText(text);
}

bool Tconfig_form::instrumentChecked(int instrument) const { return m_checks.at(slot(instrument))->isChecked(); }

void Tconfig_form::setInstrumentChecked(int instrument, bool checked)
{
    m_checks.at(slot(instrument))->setChecked(checked);
}

// --- change handlers ---

void Tconfig_form::fieldChange() { markModified(); }
void Tconfig_form::taille_prelevChange() { markModified(); }

void Tconfig_form::RadioGroup1Click()
{
    updateBatchGroup();
    markModified();
}

void Tconfig_form::ModeMuxClick()
{
    updateInstrumentColumn();
    markModified();
}

void Tconfig_form::updateBatchGroup()
{
    const bool batch = RadioGroup1->itemIndex() != kContinuousMeasurement;
    for (QWidget *widget : std::initializer_list<QWidget *>{lot_vert, lot_horiz, taille_prelev, Label21, Label22,
                                                            Label23, Label24, Label25})
        widget->setEnabled(batch);
}

// The hidden set keeps its values: they come back when the mode does.
void Tconfig_form::updateInstrumentColumn()
{
    const bool multiple = ModeMux->itemIndex() != kAddressedMode;
    for (std::size_t i = 0; i < kInstrumentCount; ++i) {
        m_checks.at(i)->setVisible(multiple);
        m_rowNames.at(i)->setVisible(!multiple);
        m_counts.at(i)->setVisible(!multiple);
    }
    Label2->setVisible(!multiple);
    Label11->setVisible(!multiple);
}

// --- commands ---

void Tconfig_form::Nouveau1Click() { applyEditorDefaults(*this); }

void Tconfig_form::Ouvrir1Click()
{
    const QString path = hooks.chooseOpenPath();
    if (!path.isEmpty())
        openFile(path);
}

void Tconfig_form::openFile(const QString &path)
{
    try {
        m_session.file.load(path, *this);
    } catch (const common::UserError &error) {
        // A file that was read but holds a bad number is still the current
        // one; only a file that could not be read leaves the path alone.
        if (error.kind() != common::UserError::Kind::CannotOpen)
            m_session.fichier_config = path;
        throw;
    }
    m_session.fichier_config = path;
    m_session.config_modifiee = false;
}

void Tconfig_form::Enregistrer1Click()
{
    const QString path = hooks.chooseSavePath();
    if (path.isEmpty()) {
        m_session.config_modifiee = false;
        return;
    }
    // A failed write keeps the mark, so the changes are still offered for
    // saving when the program closes.
    m_session.file.save(path, *this);
    m_session.fichier_config = path;
    m_session.config_modifiee = false;
    if (hooks.configurationSaved)
        hooks.configurationSaved();
    m_settings.Ecrire_chaine_ini(ini::file, ini::configurationFile, path);
    m_settings.Ecrire_fichier_ini(ini::general, ini::demo, 0);
}

void Tconfig_form::Button2Click()
{
    if (!m_session.config_modifiee) {
        accept();
        return;
    }
    switch (hooks.askSave()) {
    case common::Answer::Yes:
        Enregistrer1Click();
        break;
    case common::Answer::No:
        accept();
        break;
    case common::Answer::Cancel:
        break;
    }
}

void Tconfig_form::menuExitClick()
{
    if (hooks.askQuit())
        hooks.endProgram();
}

void Tconfig_form::Aide1Click()
{
    hooks.openHelp(QUrl::fromLocalFile(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("help/quorix/111.html"))));
}

void Tconfig_form::Apropos2Click() { hooks.showAbout(); }

void Tconfig_form::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    common::centreOnScreen(this);
}

} // namespace acquisition
