#pragma once

#include <QLineEdit>
#include <QSpinBox>

namespace acquisition {

// A spin box whose value changes by its arrows only: nothing can be typed, so
// it never holds a half-typed or out-of-range number.
class ArrowSpinBox : public QSpinBox {
public:
    explicit ArrowSpinBox(QWidget *parent = nullptr) : QSpinBox(parent) { lineEdit()->setReadOnly(true); }
};

} // namespace acquisition
