#pragma once

#include "tests/support/scriptedserver.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace testhttp {

// A throw-away certificate authority and two certificates it signed for
// "localhost" and "cables.invalid" (not for 127.0.0.1): one valid for two
// days, one that expired in 2020. Made by the openssl tool at test time.
class TestCertificates {
public:
    // False, with the tool's output in error(), when they cannot be made.
    bool make();
    QString error() const { return m_error; }

    QByteArray authority() const { return m_authority; }
    TlsIdentity valid() const { return {m_valid, m_key}; }
    TlsIdentity expired() const { return {m_expired, m_key}; }
    // Signed by an authority nobody trusts.
    TlsIdentity unknownIssuer() const { return {m_stranger, m_strangerKey}; }

private:
    bool run(const QStringList &arguments);
    QByteArray read(const QString &name);

    QTemporaryDir m_folder;
    QString m_error;
    QByteArray m_authority;
    QByteArray m_key;
    QByteArray m_valid;
    QByteArray m_expired;
    QByteArray m_stranger;
    QByteArray m_strangerKey;
};

} // namespace testhttp
