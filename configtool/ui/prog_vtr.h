#pragma once

#include <QDialog>

namespace configtool {

class CaptionRegistry;

// The programmable RS232 cable window.
class TForm4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(QWidget *parent = nullptr);
    void registerCaptions(CaptionRegistry &registry);
};

} // namespace configtool
