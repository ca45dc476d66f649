#pragma once

#include <QDialog>

namespace configtool {

class CaptionRegistry;

// The cable list update window.
class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget *parent = nullptr);
    void registerCaptions(CaptionRegistry &registry);
};

} // namespace configtool
