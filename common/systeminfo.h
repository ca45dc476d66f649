#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

namespace common {

// Figures shown in the about box: the operating system's name and build, and
// the machine's physical memory.

// Where the distribution describes itself, in the order they are tried.
QStringList defaultOsReleasePaths();

// The distribution's name: PRETTY_NAME, else NAME, of the first os-release file
// that can be read; empty when none names it.
QString distributionName(const QStringList &osReleasePaths = defaultOsReleasePaths());

// The running kernel's release, as uname() gives it (e.g. "6.1.0-18-amd64").
QString kernelRelease();

// "<name> (Build <release>)", e.g. "Debian GNU/Linux 12 (bookworm) (Build 6.1.0-18-amd64)".
// Without a distribution name the kernel's own name ("Linux") stands in.
QString systemVersionText(const QStringList &osReleasePaths = defaultOsReleasePaths());

// Total physical memory in bytes; 0 when the system does not say.
quint64 physicalMemoryBytes();

// Whole kilobytes, rounded, grouped the locale's way, then " KB":
// "16,310,448 KB" in English.
QString memoryText(quint64 bytes, const QLocale &locale = QLocale());

// How the two programs named Windows versions, kept for reference and for
// reading old screenshots and support requests.
enum class WindowsPlatform { Windows9x, WindowsNT, Other };
enum class NamingProgram { ConfigTool, Acquisition };

// "Windows 95" ... "Windows XP", or empty when the program had no name for it.
QString windowsSystemName(WindowsPlatform platform, quint32 major, quint32 minor,
                          NamingProgram program);

// "(Build 5.1.2600)"; only the low 16 bits of the build number count.
QString windowsBuildText(quint32 major, quint32 minor, quint32 buildNumber);

} // namespace common
