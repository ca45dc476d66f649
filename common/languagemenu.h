#pragma once

#include <QString>

namespace common {

// A main window's language menu: five items, hidden until a language file
// fills their position (1 to 5).
class LanguageMenu {
public:
    virtual ~LanguageMenu() = default;
    virtual void showLanguage(int position, const QString &name) = 0;
    virtual void setLanguageChecked(int position, bool checked) = 0;
};

} // namespace common
