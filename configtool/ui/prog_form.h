#pragma once

#include <QDialog>

class QPushButton;

namespace configtool {

class CaptionRegistry;

// The cable configuration window of register-programmed cables.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget *parent = nullptr);
    void registerCaptions(CaptionRegistry &registry);

    // ">>": shows or hides the interrogation grid; the main window hides it for
    // multiplexers that cannot use the grid.
    QPushButton *Button1;
};

} // namespace configtool
