#pragma once

#include "common/ui/windowhelpers.h"
#include "configtool/ui/cablecontrols.h"

#include <QDialog>

#include <functional>
#include <memory>

class QComboBox;
class QLabel;

namespace configtool {

class CaptionRegistry;
class TForm1;

// The programmable RS232 cable window: reads the cable's whole configuration
// with one query and programs it setting by setting. Its parent is the main
// window, whose port, texts and folder it uses.
class TForm4 : public QDialog, public Rs232Controls, public common::GuardedHandlers<TForm4> {
    Q_OBJECT
public:
    explicit TForm4(QWidget *parent = nullptr);
    ~TForm4() override;
    void registerCaptions(CaptionRegistry &registry);

    // Handlers.
    void FormShow();
    void ref_cableChange();
    void btn_lireClick();
    void btn_progClick();

    QLabel *r_liaison;
    QComboBox *ComboBox2; // supply

protected:
    void showEvent(QShowEvent *event) override;

private:
    class View;

    TForm1 *mainWindow() const { return ownerMainWindow(this); }

    std::unique_ptr<View> m_view;
    bool m_listFilled = false;
};

} // namespace configtool
