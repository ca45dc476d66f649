#pragma once

#include <QString>
#include <stdexcept>

namespace common {

// A failure that a window handler shows in an error box with the run-time
// library's French text; the program then goes on.
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
    const QString &text() const { return m_text; }
    Kind kind() const { return m_kind; }

    static UserError fileNotFound();
    static UserError notAnInteger(const QString &value);
    static UserError notAFloat(const QString &value);
    static UserError notADate(const QString &value);
    static UserError cannotOpen(const QString &path);
    static UserError cannotCreate(const QString &path);
    static UserError cannotWrite(const QString &path);

private:
    QString m_text;
    Kind m_kind;
};

} // namespace common
