#pragma once

#include <QString>
#include <stdexcept>

namespace common {

// A failure that a window handler shows in an error box; the program then
// goes on. The texts of the named failures follow the language applied
// (common::inLanguage), French otherwise.
class UserError : public std::runtime_error {
public:
    // What went wrong, for callers that treat some failures apart.
    enum class Kind {
        Other,
        FileNotFound,
        NotAnInteger,
        NotAFloat,
        NotADate,
        CannotOpen,
        CannotCreate,
        CannotWrite,
        CannotType,
    };

    explicit UserError(QString text, Kind kind = Kind::Other);
    QString text() const;
    Kind kind() const { return m_kind; }

    static UserError fileNotFound();
    static UserError notAnInteger(const QString &value);
    static UserError notAFloat(const QString &value);
    static UserError notADate(const QString &value);
    static UserError cannotOpen(const QString &path);
    static UserError cannotCreate(const QString &path);
    static UserError cannotWrite(const QString &path);

private:
    UserError(const char16_t *french, QString argument, Kind kind);

    QString m_text;
    Kind m_kind;
    const char16_t *m_french = nullptr; // with %1 for m_argument
    QString m_argument;
};

} // namespace common
