#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

namespace common {

// Opens a file or folder with the desktop's opener and tells, once the opener
// has ended, whether it could: the opener starts even where no program handles
// the file, and only its exit status says so. Nothing waits meanwhile; an
// opener that keeps running has found its program.
class DesktopOpener : public QObject {
public:
    // The opener's command; xdg-open unless given.
    explicit DesktopOpener(QStringList command = {QStringLiteral("xdg-open")}, QObject *parent = nullptr);
    ~DesktopOpener() override;
    DesktopOpener(const DesktopOpener &) = delete;
    DesktopOpener &operator=(const DesktopOpener &) = delete;

    void open(const QString &path, std::function<void(bool opened)> done);

private:
    QStringList m_command;
};

} // namespace common
