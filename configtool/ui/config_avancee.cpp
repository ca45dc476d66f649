#include "configtool/ui/config_avancee.h"

#include "common/settingsfile.h"
#include "common/ui/messages.h"
#include "configtool/captionmap.h"
#include "configtool/instrumentboxes.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace configtool {

namespace {
const QString retroSection = QStringLiteral("RETRO");
QString retroKey(int digit) { return QStringLiteral("rcmde%1").arg(digit); }
} // namespace

TForm6::TForm6(common::SettingsFile &settings, std::function<QString()> modelLetter, QWidget *parent)
    : QDialog(parent), m_settings(settings), m_modelLetter(std::move(modelLetter))
{
    setObjectName(QStringLiteral("Form6"));

    Lecture = new QGroupBox(this);
    Lecture->setObjectName(QStringLiteral("Lecture"));
    Lecture->setGeometry(8, 8, 330, 50);
    m_mode = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        LectureItems[i] = new QRadioButton(Lecture);
        LectureItems[i]->setGeometry(10 + 160 * i, 22, 150, 22);
        m_mode->addButton(LectureItems[i], i);
    }
    LectureItems[0]->setChecked(true);
    // Only a change of mode counts: clicking the mode already selected must not
    // untick the instrument chosen in the main window.
    connect(m_mode, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            guarded([this] { LectureClick(); });
    });

    GroupBox2 = new QGroupBox(this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setGeometry(8, 64, 330, 64);
    for (int n = 0; n < 8; ++n) {
        INS[n] = new QCheckBox(GroupBox2);
        INS[n]->setObjectName(QStringLiteral("INS%1").arg(n + 1));
        INS[n]->setGeometry(20 + 38 * n, 22, 22, 22);
    }
    auto *first = new QLabel(QStringLiteral("1"), GroupBox2);
    first->setGeometry(22, 42, 20, 18);
    auto *last = new QLabel(QStringLiteral("8"), GroupBox2);
    last->setGeometry(20 + 38 * 7 + 2, 42, 20, 18);
    GroupBox2->hide();

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(8, 134, 330, 300);
    for (int d = 0; d < 10; ++d) {
        Labels[d] = new QLabel(QStringLiteral("N°%1").arg(d), GroupBox1);
        Labels[d]->setGeometry(10, 24 + 27 * d, 40, 22);
        Edits[d] = new QLineEdit(GroupBox1);
        Edits[d]->setObjectName(QStringLiteral("Edit%1").arg(d + 1));
        Edits[d]->setGeometry(54, 24 + 27 * d, 264, 22);
    }

    Button1 = new QPushButton(this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button1->setGeometry(150, 442, 88, 26);
    Button2 = new QPushButton(this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(246, 442, 88, 26);
    connect(Button1, &QPushButton::clicked, this, [this] { guarded([this] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this, &TForm6::Button2Click);
    setFixedSize(346, 476);
}

void TForm6::registerCaptions(CaptionRegistry &registry)
{
    const auto add = [&](const char *target, std::function<void(const QString &)> setter) {
        registry.addWithBuiltIn(QLatin1String(target), std::move(setter));
    };
    add("TForm6.caption", [this](const QString &t) { setWindowTitle(t); });
    add("TForm6.Lecture", [this](const QString &t) { Lecture->setTitle(t); });
    add("TForm6.GroupBox2", [this](const QString &t) { GroupBox2->setTitle(t); });
    add("TForm6.GroupBox1", [this](const QString &t) { GroupBox1->setTitle(t); });
    add("TForm6.Lecture.0", [this](const QString &t) { LectureItems[0]->setText(t); });
    add("TForm6.Lecture.1", [this](const QString &t) { LectureItems[1]->setText(t); });
    add("TForm6.Button2", [this](const QString &t) { Button2->setText(t); });
    add("TForm6.Button1", [this](const QString &t) { Button1->setText(t); });
}

void TForm6::guarded(const std::function<void()> &handler)
{
    common::runGuarded(this, handler);
}

bool TForm6::multipleMode() const
{
    return LectureItems[1]->isChecked();
}

void TForm6::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    guarded([this] { FormShow(); });
}

// The mode, the group's visibility and the ticks stay as the user left them.
void TForm6::FormShow()
{
    for (int d = 0; d < 10; ++d)
        Edits[d]->setText(m_settings.Lire_chaine_ini(retroSection, retroKey(d)));
    if (const auto count = instrumentBoxCount(m_modelLetter())) {
        for (int n = 0; n < 8; ++n)
            INS[n]->setVisible(n < *count);
    }
}

void TForm6::LectureClick()
{
    if (multipleMode()) {
        GroupBox2->show();
        return;
    }
    GroupBox2->hide();
    emit addressedModeChosen();
}

void TForm6::Button1Click()
{
    ReadingChoice choice;
    for (int d = 0; d < 10; ++d) {
        m_settings.Ecrire_chaine_ini(retroSection, retroKey(d), Edits[d]->text());
        choice.retroCaptions[d] = Edits[d]->text();
    }
    choice.multiple = multipleMode();
    if (choice.multiple) {
        for (int n = 0; n < 8; ++n)
            choice.ticked[n] = INS[n]->isChecked();
        choice.mask = instrumentMask(choice.ticked);
    }
    emit readingChosen(choice);
    accept();
}

void TForm6::Button2Click()
{
    reject();
}

} // namespace configtool
