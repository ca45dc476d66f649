#pragma once

#include <QDialog>

class QComboBox;
class QLabel;

namespace configtool {

class CaptionRegistry;

// The cable type chooser of register-programmed cables.
class TForm7 : public QDialog {
    Q_OBJECT
public:
    explicit TForm7(QWidget *parent = nullptr);
    void registerCaptions(CaptionRegistry &registry);

    QLabel *Label1;
    QComboBox *ComboBox1;
};

} // namespace configtool
