#include "common/ui/apropos.h"

#include "common/systeminfo.h"
#include "common/ui/windowhelpers.h"
#include "common/version.h"
#include "common/ui/messages.h"

#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

// Resources of a static library are registered by hand, outside any namespace.
static void registerAboutResources()
{
    Q_INIT_RESOURCE(common_about);
}

namespace common {

namespace {

const QString maker = QStringLiteral("Exemplum Métrologie");

QFont nameFont(const QFont &base)
{
    QFont font = base;
    if (QFontDatabase::families().contains(QStringLiteral("Impact"))) {
        font.setFamily(QStringLiteral("Impact"));
    } else {
        font.setBold(true);
    }
    font.setPointSize(22);
    return font;
}

} // namespace

AboutProgram AboutProgram::setrix()
{
    return {QStringLiteral("Setrix"), QStringLiteral("Version 1.0 (04/2002)"),
            QStringLiteral("A propos de Setrix"), QSize(293, 268),
            QStringLiteral(":/common/about/setrix.png")};
}

AboutProgram AboutProgram::quorix()
{
    return {QStringLiteral("Quorix"), QStringLiteral("Version 4.0 (08/2011)"),
            QStringLiteral("A propos de Quorix"), QSize(314, 267),
            QStringLiteral(":/common/about/quorix.png")};
}

TAboutBox::TAboutBox(const AboutProgram &program, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint),
      ProgramIcon(new QLabel(this)),
      Label6(new QLabel(program.name, this)),
      Label7(new QLabel(program.versionLine, this)),
      Label8(new QLabel(QStringLiteral("Copyright © 2002-2011 %1").arg(maker), this)),
      packageLine(new QLabel(this)),
      Bevel1(new QFrame(this)),
      win_version(new QLabel(systemVersionText(), this)),
      label9(new QLabel(QStringLiteral("Mémoire disponible pour Windows :"), this)),
      PhysMem(new QLabel(memoryText(physicalMemoryBytes()), this)),
      Button1(new QPushButton(QStringLiteral("&Support technique"), this)),
      OKButton(new QPushButton(QStringLiteral("&OK"), this))
{
    registerAboutResources();
    setPackageLine(QString::fromUtf16(packageLineFrench));
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(program.caption);
    setModal(true);
    setFixedSize(program.clientSize);

    ProgramIcon->setFixedSize(64, 64);
    ProgramIcon->setScaledContents(true);
    ProgramIcon->setPixmap(QPixmap(program.logo));
    Label6->setFont(nameFont(Label6->font()));
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    for (QLabel *label : {Label7, Label8, win_version, label9})
        label->setWordWrap(true);
    OKButton->setDefault(true);

    auto *titles = new QVBoxLayout;
    titles->setSpacing(2);
    titles->addWidget(Label6);
    titles->addWidget(Label7);
    titles->addWidget(packageLine);
    titles->addWidget(Label8);
    titles->addStretch();

    auto *layout = new QGridLayout(this);
    layout->addWidget(ProgramIcon, 0, 0, Qt::AlignTop);
    layout->addLayout(titles, 0, 1, 1, 2);
    layout->addWidget(Bevel1, 1, 0, 1, 3);
    layout->addWidget(win_version, 2, 0, 1, 3);
    layout->addWidget(label9, 3, 0, 1, 3);
    layout->addWidget(PhysMem, 4, 0, 1, 3);
    layout->setRowStretch(5, 1);
    layout->addWidget(Button1, 6, 2);
    layout->addWidget(OKButton, 7, 2);
    layout->setColumnStretch(1, 1);

    connect(Button1, &QPushButton::clicked, this, &TAboutBox::Button1Click);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::setCaption(const QString &text) { setWindowTitle(text); }
void TAboutBox::setVersionLine(const QString &text) { Label7->setText(text); }
void TAboutBox::setMemoryLabel(const QString &text) { label9->setText(text); }
void TAboutBox::setSupportButton(const QString &text) { Button1->setText(text); }

void TAboutBox::setPackageLine(const QString &format)
{
    const QString version = QStringLiteral(SETRIX_QUORIX_VERSION);
    // A language file's line without the place holder still shows the version.
    packageLine->setText(format.contains(QLatin1String("%1")) ? format.arg(version)
                                                             : format + u' ' + version);
}

QString TAboutBox::supportText()
{
    return QStringList{maker,
                       QStringLiteral("12, rue de l'Exemple"),
                       QStringLiteral("99000 Exempleville - France"),
                       QStringLiteral("Tél. : 01 99 00 12 34"),
                       QStringLiteral("Fax : 01 99 00 12 35"),
                       QStringLiteral("www.example.com"),
                       QStringLiteral("support@example.com")}
        .join(u'\n');
}

void TAboutBox::Button1Click()
{
    showInformation(this, supportText());
}

void TAboutBox::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    common::centreOnScreen(this);
}

} // namespace common
