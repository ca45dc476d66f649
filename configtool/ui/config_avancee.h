#pragma once

#include "common/captiontable.h"

#include <QDialog>
#include <QString>

#include <array>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace common {
class SettingsFile;
}

namespace configtool {

using common::CaptionRegistry;

// What the OK of the reading mode window chose, for the main window to apply.
struct ReadingChoice {
    std::array<QString, 10> retroCaptions; // an empty caption leaves its item as it is
    bool multiple = false;
    std::array<bool, 8> ticked {};         // the inputs read together in multiple mode
    quint8 mask = 0;                       // their mask; 0 in addressed mode
};

// The retro-command labels and reading mode window. It keeps the labels in the
// settings file and tells what was chosen; the main window applies it.
class TForm6 : public QDialog {
    Q_OBJECT
public:
    // `modelLetter` gives the multiplexer's model, which sets how many inputs are offered.
    TForm6(common::SettingsFile &settings, std::function<QString()> modelLetter, QWidget *parent = nullptr);
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

signals:
    // Addressed mode was picked, which takes effect at once, even if the window is cancelled.
    void addressedModeChosen();
    void readingChosen(const configtool::ReadingChoice &choice);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void guarded(const std::function<void()> &handler);

    common::SettingsFile &m_settings;
    std::function<QString()> m_modelLetter;
    QButtonGroup *m_mode;
};

} // namespace configtool
