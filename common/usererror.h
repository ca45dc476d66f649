#pragma once

#include <QString>
#include <stdexcept>

namespace common {

// A failure that a window handler shows in an error box with the run-time
// library's French text; the program then goes on.
class UserError : public std::runtime_error {
public:
    explicit UserError(QString text);
    const QString &text() const { return m_text; }

    static UserError fileNotFound();
    static UserError notAnInteger(const QString &value);
    static UserError notAFloat(const QString &value);
    static UserError notADate(const QString &value);
    static UserError cannotOpen(const QString &path);
    static UserError cannotCreate(const QString &path);
    static UserError cannotWrite(const QString &path);

private:
    QString m_text;
};

} // namespace common
