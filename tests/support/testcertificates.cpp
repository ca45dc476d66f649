#include "tests/support/testcertificates.h"

#include <QFile>
#include <QProcess>

namespace testhttp {

namespace {

const QStringList ecKey {"-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes"};

// Only "openssl ca" can date a certificate in the past.
const QByteArray caConfiguration = R"([ca]
default_ca = test
[test]
database = index.txt
new_certs_dir = .
certificate = ca.pem
private_key = ca.key
serial = serial
default_md = sha256
policy = any
unique_subject = no
x509_extensions = leaf
[any]
commonName = supplied
[leaf]
basicConstraints = CA:FALSE
subjectAltName = DNS:localhost,DNS:cables.invalid
)";

} // namespace

bool TestCertificates::run(const QStringList &arguments)
{
    QProcess openssl;
    openssl.setWorkingDirectory(m_folder.path());
    openssl.setProcessChannelMode(QProcess::MergedChannels);
    openssl.start(QStringLiteral("openssl"), arguments);
    if (!openssl.waitForFinished(60000) || openssl.exitStatus() != QProcess::NormalExit || openssl.exitCode() != 0) {
        m_error = "openssl " + arguments.join(' ') + ": " + openssl.errorString() + "\n"
            + QString::fromLocal8Bit(openssl.readAll());
        return false;
    }
    return true;
}

QByteArray TestCertificates::read(const QString &name)
{
    QFile file(m_folder.filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool TestCertificates::make()
{
    if (!m_folder.isValid())
        return false;
    const auto authority = [this](const QString &name, const QString &subject) {
        return run(QStringList {"req", "-x509"} + ecKey
                   + QStringList {"-keyout", name + ".key", "-out", name + ".pem", "-days", "2", "-subj", subject,
                                  "-addext", "basicConstraints=critical,CA:TRUE", "-addext",
                                  "keyUsage=critical,keyCertSign,cRLSign"});
    };
    QFile config(m_folder.filePath("ca.cnf"));
    QFile index(m_folder.filePath("index.txt"));
    QFile serial(m_folder.filePath("serial"));
    if (!config.open(QIODevice::WriteOnly) || config.write(caConfiguration) != caConfiguration.size()
        || !index.open(QIODevice::WriteOnly) || !serial.open(QIODevice::WriteOnly) || serial.write("01\n") != 3)
        return false;
    config.close();
    index.close();
    serial.close();
    const QStringList sign {"ca", "-batch", "-notext", "-config", "ca.cnf", "-in", "server.csr"};
    if (!authority("ca", "/CN=Throw-away test CA") || !authority("stranger", "/CN=localhost")
        || !run(QStringList {"req"} + ecKey
                + QStringList {"-keyout", "server.key", "-out", "server.csr", "-subj", "/CN=localhost"})
        || !run(sign + QStringList {"-out", "valid.pem", "-days", "2"})
        || !run(sign + QStringList {"-out", "expired.pem", "-startdate", "20200101000000Z", "-enddate",
                                    "20200201000000Z"}))
        return false;
    m_authority = read("ca.pem");
    m_key = read("server.key");
    m_valid = read("valid.pem");
    m_expired = read("expired.pem");
    m_stranger = read("stranger.pem");
    m_strangerKey = read("stranger.key");
    return true;
}

} // namespace testhttp
