#include "configtool/ui/cablecontrols.h"

#include "common/ui/messages.h"
#include "configtool/captionmap.h"
#include "configtool/paritynames.h"
#include "configtool/setrixtexts.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QValidator>
#include <QSignalBlocker>

namespace configtool {

namespace {

constexpr int labelX = 8, fieldX = 110, rowHeight = 28;

// Limits what the user types, not what the program shows: a longer text put in by
// the program (a whole record line) can still be shortened.
class TypedLengthValidator : public QValidator {
public:
    TypedLengthValidator(int limit, QLineEdit *edit) : QValidator(edit), m_limit(limit)
    {
        QObject::connect(edit, &QLineEdit::textChanged, this,
                         [this](const QString &text) { m_length = text.size(); });
    }
    State validate(QString &input, int &) const override
    {
        return input.size() <= m_limit || input.size() < m_length ? Acceptable : Invalid;
    }

private:
    int m_limit;
    qsizetype m_length = 0;
};

QLabel *label(QWidget *page, const QString &text, int y)
{
    auto *l = new QLabel(text, page);
    l->setGeometry(labelX, y, fieldX - labelX - 4, 22);
    return l;
}

template <typename Widget>
Widget *field(QWidget *page, const char *name, int y, int width = 150)
{
    auto *w = new Widget(page);
    w->setObjectName(QLatin1String(name));
    w->setGeometry(fieldX, y, width, 22);
    return w;
}

QComboBox *editableList(QWidget *page, const char *name, const QStringList &items, const QString &text, int y)
{
    auto *box = field<QComboBox>(page, name, y);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(items);
    box->setCurrentText(text);
    return box;
}

QSpinBox *numberBox(QWidget *page, const char *name, int minimum, int maximum, int value, int y)
{
    auto *box = field<QSpinBox>(page, name, y, 60);
    box->setRange(minimum, maximum);
    box->setValue(value);
    return box;
}

} // namespace

std::array<QLineEdit *, 8> Rs232Controls::interrogationEdits() const
{
    return {Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9};
}

Rs232PageSettings Rs232Controls::rs232Settings() const
{
    Rs232PageSettings s;
    s.speed = ComboBox1->currentText();
    s.dataBits = SpinEdit2->value();
    s.parity = c_parite->currentText();
    s.parityNames = parityEntries();
    s.endOfFrame = Edit1->text();
    s.unit = ComboBox4->currentText();
    s.offset = SpinEdit1->value();
    const auto edits = interrogationEdits();
    for (std::size_t i = 0; i < edits.size(); ++i)
        s.interrogation[i] = edits[i]->text();
    return s;
}

void Rs232Controls::showSpeed(const QString &speed) { setComboText(ComboBox1, speed); }

void Rs232Controls::showParity(const QString &parity)
{
    showParityAs(parityOf(parity, parityEntries()), parity);
}

QStringList Rs232Controls::parityEntries() const
{
    QStringList entries;
    for (int i = 0; i < c_parite->count(); ++i)
        entries << c_parite->itemText(i);
    return entries;
}

// A new language renames the entries; the box goes on showing the same parity.
void Rs232Controls::renameParityEntry(int index, const QString &name)
{
    const QString shown = c_parite->currentText();
    const std::optional<int> entry = parityOf(shown, parityEntries());
    c_parite->setItemText(index, name);
    showParityAs(entry, shown);
}

// The current index always follows the text shown: renaming the current entry
// rewrites the text, which must not turn one parity into another.
void Rs232Controls::showParityAs(std::optional<int> entry, const QString &text)
{
    const QSignalBlocker blocker(c_parite);
    c_parite->setCurrentIndex(entry.value_or(-1));
    if (!entry)
        c_parite->setEditText(text);
}
void Rs232Controls::showUnit(const QString &unit) { setComboText(ComboBox4, unit); }
void Rs232Controls::showReference(const QString &text) { setComboText(ref_cable, text); }

void Rs232Controls::createRs232Controls(QWidget *page, const QStringList &speeds, int lowerTop)
{
    int y = 8;
    r_vitesse = label(page, QString(), y);
    ComboBox1 = editableList(page, "ComboBox1", speeds, QStringLiteral("9600"), y);
    r_donnees = label(page, QString(), y += rowHeight);
    SpinEdit2 = numberBox(page, "SpinEdit2", 7, 8, 8, y);
    r_parite = label(page, QString(), y += rowHeight);
    c_parite = editableList(page, "c_parite", {"SANS", "PAIRE", "IMPAIRE"}, QStringLiteral("SANS"), y);
    r_fintrame = label(page, QString(), y += rowHeight);
    Edit1 = field<QLineEdit>(page, "Edit1", y, 50);
    Edit1->setMaxLength(3);
    Edit1->setText(QStringLiteral("$0D"));
    r_unite = label(page, QString(), y += rowHeight);
    ComboBox4 = editableList(page, "ComboBox4", {"MM", "INCH", QString()}, QStringLiteral("MM"), y);
    r_offset = label(page, QString(), y += rowHeight);
    SpinEdit1 = numberBox(page, "SpinEdit1", 1, 31, 1, y);

    y = lowerTop;
    ch_interr = label(page, QString(), y);
    ch_interr->setGeometry(labelX, y, 264, 22);
    std::array<QLineEdit **, 8> edits{&Edit2, &Edit3, &Edit4, &Edit5, &Edit6, &Edit7, &Edit8, &Edit9};
    for (int i = 0; i < 8; ++i) {
        auto *edit = new QLineEdit(page);
        edit->setObjectName(QStringLiteral("Edit%1").arg(i + 2));
        edit->setGeometry(labelX + 33 * i, y + 22, 31, 22);
        *edits[std::size_t(i)] = edit;
    }
    Edit2->setText(QStringLiteral("$4D"));

    ref_cable = new QComboBox(page);
    ref_cable->setObjectName(QStringLiteral("ref_cable"));
    ref_cable->setEditable(true);
    ref_cable->setInsertPolicy(QComboBox::NoInsert);
    // A limit on typing only: a cable read back is named by its whole record line.
    ref_cable->setValidator(new TypedLengthValidator(25, ref_cable->lineEdit()));
    ref_cable->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    ref_cable->setGeometry(labelX, y += 54, 264, 24);
    ProgressBar1 = new QProgressBar(page);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setGeometry(labelX, y += 32, 264, 16);
    btn_lire = new QPushButton(page);
    btn_lire->setObjectName(QStringLiteral("btn_lire"));
    btn_lire->setGeometry(labelX, y += 26, 84, 26);
    btn_prog = new QPushButton(page);
    btn_prog->setObjectName(QStringLiteral("btn_prog"));
    btn_prog->setGeometry(labelX + 90, y, 96, 26);
    // Enter in a box or list only confirms what was typed; it starts no operation.
    btn_lire->setAutoDefault(false);
    btn_prog->setAutoDefault(false);
}

void Rs232Controls::registerRs232Captions(CaptionRegistry &registry, const QString &form)
{
    const auto add = [&](const char *target, auto setter) { registry.addWithBuiltIn(form + target, setter); };
    add(".r_vitesse", [this](const QString &t) { r_vitesse->setText(t); });
    add(".r_parite", [this](const QString &t) { r_parite->setText(t); });
    add(".r_donnees", [this](const QString &t) { r_donnees->setText(t); });
    add(".r_offset", [this](const QString &t) { r_offset->setText(t); });
    add(".r_fintrame", [this](const QString &t) { r_fintrame->setText(t); });
    add(".r_unite", [this](const QString &t) { r_unite->setText(t); });
    add(".ch_interr", [this](const QString &t) { ch_interr->setText(t); });
    add(".btn_prog", [this](const QString &t) { btn_prog->setText(t); });
    add(".btn_lire", [this](const QString &t) { btn_lire->setText(t); });
    for (int i = 0; i < 3; ++i)
        registry.addWithBuiltIn(form + QStringLiteral(".c_parite.%1").arg(i),
                                [this, i](const QString &t) { renameParityEntry(i, t); });
}

CableMessages cableMessages(const SetrixTexts &texts)
{
    return {texts.message(SetrixMessage::cableSilent),
            texts.message(SetrixMessage::badEndOfFrame),
            texts.message(SetrixMessage::verificationFailed),
            texts.message(SetrixMessage::programmingDone),
            texts.added(added::cableMuxDisconnected),
            texts.added(added::unknownParity),
            texts.added(added::noCableChosen)};
}

void showCableMessage(QWidget *window, MessageKind kind, const QString &text)
{
    switch (kind) {
    case MessageKind::Error: common::showError(window, text); break;
    case MessageKind::Information: common::showInformation(window, text); break;
    case MessageKind::Plain: common::showMessage(window, text); break;
    }
}

void setComboText(QComboBox *box, const QString &text)
{
    const QSignalBlocker blocker(box);
    box->setCurrentText(text);
}

void onReferenceChosen(QComboBox *list, QObject *context, std::function<void()> chosen,
                       std::function<void()> typing)
{
    // Text the program sets, a pick from the list included, leaves the box unmodified.
    QLineEdit *edit = list->lineEdit();
    QObject::connect(list, &QComboBox::currentTextChanged, context, [edit, chosen, typing] {
        if (edit->isModified())
            typing();
        else
            chosen();
    });
    QObject::connect(edit, &QLineEdit::editingFinished, context, [edit, chosen] {
        if (!edit->isModified())
            return;
        edit->setModified(false);
        chosen();
    });
}

} // namespace configtool
