#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringEncoder>
#include <QTest>

namespace testsupport {

// A file's bytes, or a marker that no real content equals.
inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// A file of tests/fixtures, byte for byte.
inline QByteArray fixture(const QString &name)
{
    return readBytes(QStringLiteral(SOURCE_DIR "/tests/fixtures/") + name);
}

inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Every entry of a folder, hidden ones included, sorted by name.
inline QStringList fileNames(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// A text as a Windows editor's "Unicode" option saves it: UTF-16 LE with a byte-order mark.
inline QByteArray utf16WithBom(const QString &text)
{
    QStringEncoder encoder(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    return encoder.encode(text);
}

} // namespace testsupport
