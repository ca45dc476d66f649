#pragma once

#include <QDialog>

namespace configtool {

class CaptionRegistry;

// The retro-command labels and reading mode window.
class TForm6 : public QDialog {
    Q_OBJECT
public:
    explicit TForm6(QWidget *parent = nullptr);
    void registerCaptions(CaptionRegistry &registry);
};

} // namespace configtool
