#pragma once

#include "common/captiontable.h"

#include <QDialog>

#include <array>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace configtool {

using common::CaptionRegistry;
class TForm1;

// The retro-command labels and reading mode window. Its parent is the main
// window, whose settings file, retro-command items, instrument items and
// instrument mask it writes.
class TForm6 : public QDialog {
    Q_OBJECT
public:
    explicit TForm6(QWidget *parent = nullptr);
    void registerCaptions(CaptionRegistry &registry);

    // Handlers.
    void FormShow();
    void LectureClick();
    void Button1Click(); // OK
    void Button2Click(); // Annuler

    bool multipleMode() const;

    QGroupBox *Lecture;
    std::array<QRadioButton *, 2> LectureItems; // "Mode adressé", "Mode multiple"
    QGroupBox *GroupBox2;
    std::array<QCheckBox *, 8> INS;              // INS1 .. INS8
    QGroupBox *GroupBox1;
    std::array<QLabel *, 10> Labels;            // Label1 .. Label10: "N°0" .. "N°9"
    std::array<QLineEdit *, 10> Edits;          // Edit1 .. Edit10: retro-commands 0 .. 9
    QPushButton *Button1;
    QPushButton *Button2;

protected:
    void showEvent(QShowEvent *event) override;

private:
    TForm1 *mainWindow() const;
    void guarded(const std::function<void()> &handler);

    QButtonGroup *m_mode;
};

} // namespace configtool
