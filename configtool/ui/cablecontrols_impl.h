#pragma once

// Member bodies of the view templates of cablecontrols.h, which need the
// widgets' full types.

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>

namespace configtool {

template <typename View>
void OperationWidgets<View>::setProgressMaximum(int maximum)
{
    m_bar->setMaximum(maximum);
}

template <typename View>
void OperationWidgets<View>::setProgress(int position)
{
    // A value outside the range would be ignored: the bar follows its operation.
    if (position < m_bar->minimum())
        m_bar->setMinimum(position);
    m_bar->setValue(position);
}

template <typename View>
void OperationWidgets<View>::setButtonsEnabled(bool enabled)
{
    m_first->setEnabled(enabled);
    m_second->setEnabled(enabled);
}

template <typename View>
void Rs232Widgets<View>::setDataBits(int v)
{
    c.SpinEdit2->setValue(v);
}

template <typename View>
void Rs232Widgets<View>::setEndOfFrame(const QString &v)
{
    c.Edit1->setText(v);
}

template <typename View>
void Rs232Widgets<View>::setOffset(int v)
{
    c.SpinEdit1->setValue(v);
}

template <typename View>
void Rs232Widgets<View>::setInterrogation(int index, const QString &v)
{
    c.interrogationEdits().at(std::size_t(index))->setText(v);
}

} // namespace configtool
