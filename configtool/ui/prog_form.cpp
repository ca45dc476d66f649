#include "configtool/ui/prog_form.h"

#include "common/ui/messages.h"
#include "configtool/analogvalue.h"
#include "configtool/bytetext.h"
#include "configtool/cablelist/cablelist.h"
#include "configtool/cablelink.h"
#include "configtool/captionmap.h"
#include "configtool/registerprogramming.h"

#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>

namespace configtool {

namespace {

constexpr int narrowWidth = 290, wideWidth = 641, formHeight = 340;
const QString showGrid = QStringLiteral(">>");
const QString hideGrid = QStringLiteral("<<");

// A hexadecimal box keeps only what its filter lets through.
void filterAsTyped(QLineEdit *edit, QString (*filter)(const QString &))
{
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit, filter](const QString &text) {
        const QString kept = filter(text);
        if (kept != text)
            edit->setText(kept);
    });
}

// The grid's cell editor: filtered as typed, the caret left at the end of the
// text so the next character is appended, and the cell updated on every change.
class GridCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        auto *editor = new QLineEdit(parent);
        connect(editor, &QLineEdit::textEdited, editor, [this, editor](const QString &text) {
            const QString kept = filterGridCellText(text);
            if (kept != text)
                editor->setText(kept);
            editor->setCursorPosition(int(kept.size()));
            emit const_cast<GridCellDelegate *>(this)->commitData(editor);
        });
        return editor;
    }
};

} // namespace

class TForm2::Rs232Page : public Rs232Widgets<Rs232PageView> {
public:
    explicit Rs232Page(TForm2 &form) : Rs232Widgets(&form, form), f(form) {}
    std::optional<int> reference() const override { return f.m_rs232Reference; }
    void setReference(int reference) override { f.m_rs232Reference = reference; }
    void setCableName(const QString &name) override { f.showReference(name); }
    bool gridIncluded() const override { return f.gridIncluded(); }
    QString gridCell(int row, int column) const override
    {
        const QTableWidgetItem *item = f.tabCmde->item(row, column);
        return item ? item->text() : QString();
    }
    void setGridCell(int row, int column, const QString &text) override
    {
        f.tabCmde->item(row, column)->setText(text);
    }

private:
    TForm2 &f;
};

class TForm2::AnalogPage : public OperationWidgets<AnalogPageView> {
public:
    explicit AnalogPage(TForm2 &form) : OperationWidgets(&form, form.ProgressBar2, form.Button2, form.Button3), f(form) {}
    std::optional<int> reference() const override { return f.m_analogReference; }
    void setReference(int reference) override { f.m_analogReference = reference; }
    void setCableName(const QString &name) override { setComboText(f.ComboBox2, name); }
    QString minimumText() const override { return f.Edit10->text(); }
    QString maximumText() const override { return f.Edit11->text(); }
    int decimals() const override { return f.SpinEdit3->value(); }
    void setMinimum(float value) override { f.Edit10->setText(formatAnalogValue(value)); }
    void setMaximum(float value) override { f.Edit11->setText(formatAnalogValue(value)); }
    void setDecimals(int decimals) override { f.SpinEdit3->setValue(decimals); }

private:
    TForm2 &f;
};

TForm2::TForm2(CableWindowContext context, QWidget *parent) : QDialog(parent), m_context(std::move(context))
{
    setObjectName(QStringLiteral("Form2"));
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->tabBar()->hide();
    PageControl1->setGeometry(0, 0, wideWidth, formHeight);
    TabSheet1 = new QWidget;
    TabSheet2 = new QWidget;
    PageControl1->addTab(TabSheet1, QStringLiteral("RS232"));
    PageControl1->addTab(TabSheet2, QStringLiteral("Analogique"));
    createRs232Page();
    createAnalogPage();
    m_rs232 = std::make_unique<Rs232Page>(*this);
    m_analog = std::make_unique<AnalogPage>(*this);
    setFixedSize(narrowWidth, formHeight);
}

TForm2::~TForm2() = default;

void TForm2::createRs232Page()
{
    createRs232Controls(TabSheet1, {"1200", "2400", "4800", "9600", "19200"}, 176);
    ProgressBar1->setRange(65, 80);
    for (QLineEdit *edit : {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9})
        filterAsTyped(edit, &filterHexText);
    Button1 = new QPushButton(showGrid, TabSheet1);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(200, btn_prog->y(), 72, 26);
    Button1->setAutoDefault(false);
    onReferenceChosen(ref_cable, this, [this] { guarded([this] { ref_cableChange(); }); },
                      [this] { m_rs232Reference.reset(); });
    connect(btn_lire, &QPushButton::clicked, this, [this] { guarded([this] { btn_lireClick(); }); });
    connect(btn_prog, &QPushButton::clicked, this, [this] { guarded([this] { btn_progClick(); }); });
    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
    createGrid();
}

void TForm2::createGrid()
{
    Label2 = new QLabel(TabSheet1);
    Label2->setGeometry(narrowWidth, 8, 300, 22);
    tabCmde = new QTableWidget(10, 9, TabSheet1);
    tabCmde->setObjectName(QStringLiteral("tabCmde"));
    tabCmde->horizontalHeader()->hide();
    tabCmde->verticalHeader()->hide();
    tabCmde->verticalHeader()->setDefaultSectionSize(24);
    tabCmde->horizontalHeader()->setDefaultSectionSize(33);
    tabCmde->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tabCmde->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tabCmde->setItemDelegate(new GridCellDelegate(tabCmde));
    tabCmde->setGeometry(narrowWidth, 32, 9 * 33 + 2, 10 * 24 + 2);
    for (int row = 0; row < 10; ++row) {
        for (int column = 0; column < 9; ++column) {
            auto *item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            if (column == 0) {
                item->setFlags(Qt::ItemIsEnabled);
                item->setBackground(palette().button());
            }
            tabCmde->setItem(row, column, item);
        }
    }
}

void TForm2::createAnalogPage()
{
    const auto label = [this](int y) {
        auto *l = new QLabel(TabSheet2);
        l->setGeometry(8, y, 270, 22);
        return l;
    };
    Label3 = label(8);
    Edit10 = new QLineEdit(TabSheet2);
    Edit10->setObjectName(QStringLiteral("Edit10"));
    Edit10->setGeometry(8, 30, 120, 22);
    Label4 = label(60);
    Edit11 = new QLineEdit(TabSheet2);
    Edit11->setObjectName(QStringLiteral("Edit11"));
    Edit11->setGeometry(8, 82, 120, 22);
    Label5 = label(114);
    SpinEdit3 = new QSpinBox(TabSheet2);
    SpinEdit3->setObjectName(QStringLiteral("SpinEdit3"));
    SpinEdit3->setRange(1, 3);
    SpinEdit3->setValue(3);
    SpinEdit3->setGeometry(8, 136, 60, 22);
    ComboBox2 = new QComboBox(TabSheet2);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->setEditable(true);
    ComboBox2->setInsertPolicy(QComboBox::NoInsert);
    ComboBox2->setFont(ref_cable->font());
    ComboBox2->setGeometry(8, 230, 264, 24);
    ProgressBar2 = new QProgressBar(TabSheet2);
    ProgressBar2->setObjectName(QStringLiteral("ProgressBar2"));
    ProgressBar2->setTextVisible(false);
    ProgressBar2->setRange(65, 80);
    ProgressBar2->setGeometry(8, 262, 264, 16);
    Button2 = new QPushButton(TabSheet2);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(8, 288, 84, 26);
    Button3 = new QPushButton(TabSheet2);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button3->setGeometry(98, 288, 96, 26);
    // Enter in a box or list only confirms what was typed; it starts no operation.
    Button2->setAutoDefault(false);
    Button3->setAutoDefault(false);
    // Kept from the design but not used.
    ComboBox3 = new QComboBox(TabSheet2);
    ComboBox3->hide();
    Label6 = new QLabel(TabSheet2);
    Label6->hide();
    onReferenceChosen(ComboBox2, this, [this] { guarded([this] { ComboBox2Change(); }); },
                      [this] { m_analogReference.reset(); });
    connect(Button2, &QPushButton::clicked, this, [this] { guarded([this] { Button2Click(); }); });
    connect(Button3, &QPushButton::clicked, this, [this] { guarded([this] { Button3Click(); }); });
}

void TForm2::registerCaptions(CaptionRegistry &registry)
{
    registry.addWithBuiltIn(QStringLiteral("TForm2.caption"), [this](const QString &t) { setWindowTitle(t); });
    registerRs232Captions(registry, QStringLiteral("TForm2"));
    registry.addWithBuiltIn(QStringLiteral("TForm2.c_parite.text"), [this](const QString &t) { showParity(t); });
    registry.addWithBuiltIn(QStringLiteral("TForm2.Button3"), [this](const QString &t) { Button3->setText(t); });
    registry.addWithBuiltIn(QStringLiteral("TForm2.Button2"), [this](const QString &t) { Button2->setText(t); });
    registry.addWithBuiltIn(QStringLiteral("TForm2.Label2"), [this](const QString &t) { Label2->setText(t); });
    registry.addWithBuiltIn(QStringLiteral("TForm2.Label3"), [this](const QString &t) { Label3->setText(t); });
    registry.addWithBuiltIn(QStringLiteral("TForm2.Label4"), [this](const QString &t) { Label4->setText(t); });
    registry.addWithBuiltIn(QStringLiteral("TForm2.Label5"), [this](const QString &t) { Label5->setText(t); });
}

void TForm2::showRs232Page() { PageControl1->setCurrentWidget(TabSheet1); }
void TForm2::showAnalogPage() { PageControl1->setCurrentWidget(TabSheet2); }

void TForm2::setGridOffered(bool offered)
{
    Button1->setVisible(offered);
}

CableMessages TForm2::messages() const
{
    return cableMessages(m_context.texts);
}

void TForm2::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    guarded([this] { FormShow(); });
}

void TForm2::FormShow()
{
    for (int row = 0; row < 10; ++row)
        tabCmde->item(row, 0)->setText(QString::number(row));
    if (!m_listsFilled) {
        const RegisterCableLists lists = CableList(m_context.cableListPath()).registerCableLists();
        for (QComboBox *box : {ref_cable, ComboBox2}) {
            const QSignalBlocker blocker(box);
            box->clear();
            box->addItems(box == ref_cable ? lists.rs232 : lists.analog);
            box->setCurrentIndex(box->count() ? 0 : -1);
        }
        m_listsFilled = true;
    }
    loadPreselectedRecord();
}

// A page shows the settings of the cable its list names, which is the cable it
// programs: shown for the first time, it loads the record its list preselects.
void TForm2::loadPreselectedRecord()
{
    const bool analog = PageControl1->currentWidget() == TabSheet2;
    bool &loaded = analog ? m_analogLoaded : m_rs232Loaded;
    if (loaded || (analog ? ComboBox2 : ref_cable)->count() == 0)
        return;
    loaded = true;
    if (analog)
        ComboBox2Change();
    else
        ref_cableChange();
}

// Until the chosen record is in, the page has no reference: one that fails to
// load cannot leave the previous cable's number to be programmed.
void TForm2::ref_cableChange()
{
    m_rs232Reference.reset();
    const CableList cableList(m_context.cableListPath());
    loadRs232Record(cableList.findRs232Record(ref_cable->currentText(), MatchRule::Reference), *m_rs232);
    m_rs232Reference = referenceNumberOf(ref_cable->currentText());
}

void TForm2::ComboBox2Change()
{
    m_analogReference.reset();
    const CableList cableList(m_context.cableListPath());
    loadAnalogRecord(cableList.findAnalogRecord(ComboBox2->currentText()), *m_analog);
    m_analogReference = referenceNumberOf(ComboBox2->currentText());
}

void TForm2::btn_lireClick()
{
    CableLink link(m_context.link);
    readRs232Cable(link, *m_rs232, CableList(m_context.cableListPath()), messages());
}

void TForm2::btn_progClick()
{
    CableLink link(m_context.link);
    programRs232Cable(link, *m_rs232, messages());
}

void TForm2::Button2Click()
{
    CableLink link(m_context.link);
    readAnalogCable(link, *m_analog, CableList(m_context.cableListPath()), messages());
}

void TForm2::Button3Click()
{
    CableLink link(m_context.link);
    programAnalogCable(link, *m_analog, messages());
}

void TForm2::Button1Click()
{
    m_gridOpen = !m_gridOpen;
    Button1->setText(m_gridOpen ? hideGrid : showGrid);
    setFixedSize(m_gridOpen ? wideWidth : narrowWidth, formHeight);
}

} // namespace configtool
