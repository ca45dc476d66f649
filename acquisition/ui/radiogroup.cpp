#include "acquisition/ui/radiogroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace acquisition {

RadioGroup::RadioGroup(const QStringList &items, int columns, QWidget *parent)
    : QGroupBox(parent), m_group(new QButtonGroup(this))
{
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setVerticalSpacing(2);
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items.at(i), this);
        m_group->addButton(button, i);
        m_buttons.append(button);
        layout->addWidget(button, i / columns, i % columns);
    }
    connect(m_group, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            emit clicked();
    });
}

int RadioGroup::itemIndex() const { return m_group->checkedId(); }

void RadioGroup::setItemIndex(int index)
{
    if (index >= 0 && index < m_buttons.size()) {
        m_buttons.at(index)->setChecked(true);
        return;
    }
    QAbstractButton *checked = m_group->checkedButton();
    if (!checked)
        return;
    // An exclusive group refuses to clear its last checked button.
    m_group->setExclusive(false);
    checked->setChecked(false);
    m_group->setExclusive(true);
    emit clicked();
}

void RadioGroup::setItemText(int index, const QString &text)
{
    if (index >= 0 && index < m_buttons.size())
        m_buttons.at(index)->setText(text);
}

void RadioGroup::setItemFont(const QFont &font)
{
    for (QRadioButton *button : std::as_const(m_buttons))
        button->setFont(font);
}

} // namespace acquisition
