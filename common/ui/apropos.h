#pragma once

#include <QDialog>
#include <QSize>
#include <QString>

class QFrame;
class QLabel;
class QPushButton;

namespace common {

// What differs between the two programs' about boxes.
struct AboutProgram {
    QString name;
    QString versionLine;
    QString caption;
    QSize clientSize;
    QString logo; // image resource path

    static AboutProgram setrix();
    static AboutProgram quorix();
};

// The about box: program name, version and copyright, the operating system and
// the physical memory (taken once, at creation), and the maker's support
// details. Shown modally with exec(); always centred on the screen.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(const AboutProgram &program, QWidget *parent = nullptr);

    // Captions a language file replaces (the version line only in Setrix).
    void setCaption(const QString &text);
    void setVersionLine(const QString &text);
    void setMemoryLabel(const QString &text);
    void setSupportButton(const QString &text);
    // The package line; %1 stands for the version.
    void setPackageLine(const QString &format);

    // The maker's contact details, one item per line.
    static QString supportText();

    void Button1Click();

    QLabel *ProgramIcon;
    QLabel *Label6;
    QLabel *Label7;
    QLabel *Label8;
    QLabel *packageLine; // the installed package's version, the same in both programs
    QFrame *Bevel1;
    QLabel *win_version;
    QLabel *label9;
    QLabel *PhysMem;
    QPushButton *Button1;
    QPushButton *OKButton;

protected:
    void showEvent(QShowEvent *event) override;
};

} // namespace common
