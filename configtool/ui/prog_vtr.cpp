#include "configtool/ui/prog_vtr.h"

#include "common/ui/messages.h"
#include "configtool/cablelist/cablelist.h"
#include "configtool/cablelink.h"
#include "configtool/captionmap.h"
#include "configtool/programmablecable.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace configtool {

class TForm4::View : public Rs232Widgets<ProgrammableCableView> {
public:
    explicit View(TForm4 &form) : Rs232Widgets(&form, form), f(form) {}
    QString supply() const override { return f.ComboBox2->currentText(); }
    void setSupply(const QString &supply) override { setComboText(f.ComboBox2, supply); }
    void setReferenceText(const QString &label) override { f.showReference(label); }

private:
    TForm4 &f;
};

TForm4::TForm4(CableWindowContext context, QWidget *parent) : QDialog(parent), m_context(std::move(context))
{
    setObjectName(QStringLiteral("Form4"));
    createRs232Controls(this, {"75", "150", "300", "600", "1200", "2400", "4800", "9600"}, 204);
    ComboBox4->lineEdit()->setMaxLength(4);
    ProgressBar1->setRange(0, ProgrammableProgressMaximum);
    r_liaison = new QLabel(this);
    r_liaison->setGeometry(8, 176, 98, 22);
    ComboBox2 = new QComboBox(this);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->setEditable(true);
    ComboBox2->setInsertPolicy(QComboBox::NoInsert);
    ComboBox2->addItems({"12v", "5v"});
    ComboBox2->setGeometry(110, 176, 150, 22);
    m_view = std::make_unique<View>(*this);
    onReferenceChosen(ref_cable, this, [this] { guarded([this] { ref_cableChange(); }); });
    connect(btn_lire, &QPushButton::clicked, this, [this] { guarded([this] { btn_lireClick(); }); });
    connect(btn_prog, &QPushButton::clicked, this, [this] { guarded([this] { btn_progClick(); }); });
    setFixedSize(280, btn_prog->geometry().bottom() + 10);
}

TForm4::~TForm4() = default;

void TForm4::registerCaptions(CaptionRegistry &registry)
{
    registry.addWithBuiltIn(QStringLiteral("TForm4.caption"), [this](const QString &t) { setWindowTitle(t); });
    registerRs232Captions(registry, QStringLiteral("TForm4"));
    registry.addWithBuiltIn(QStringLiteral("TForm4.r_liaison"), [this](const QString &t) { r_liaison->setText(t); });
}

void TForm4::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    guarded([this] { FormShow(); });
}

void TForm4::FormShow()
{
    if (m_listFilled)
        return;
    const QStringList labels = CableList(m_context.cableListPath()).programmableCableList();
    const QSignalBlocker blocker(ref_cable);
    ref_cable->clear();
    ref_cable->addItems(labels);
    ref_cable->setCurrentIndex(labels.isEmpty() ? -1 : 0);
    m_listFilled = true;
}

void TForm4::ref_cableChange()
{
    loadRs232Record(CableList(m_context.cableListPath()).findRs232Record(ref_cable->currentText(), MatchRule::Label),
                    *m_view);
}

void TForm4::btn_lireClick()
{
    CableLink link(m_context.link);
    readProgrammableCable(link, *m_view, cableMessages(m_context.texts));
}

void TForm4::btn_progClick()
{
    CableLink link(m_context.link);
    programProgrammableCable(link, *m_view, cableMessages(m_context.texts));
}

} // namespace configtool
