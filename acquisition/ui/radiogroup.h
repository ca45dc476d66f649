#pragma once

#include <QGroupBox>
#include <QList>

class QButtonGroup;
class QRadioButton;

namespace acquisition {

// A framed group of radio items with an item index that may also be -1 (no
// item selected). clicked() follows every change of the index, whether the
// user or the program made it.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QStringList &items, int columns, QWidget *parent = nullptr);

    int itemIndex() const;
    void setItemIndex(int index); // an index outside the items selects none
    void setItemText(int index, const QString &text);
    void setItemFont(const QFont &font);

signals:
    void clicked();

private:
    QButtonGroup *m_group;
    QList<QRadioButton *> m_buttons;
};

} // namespace acquisition
