#include "acquisition/exampleconfiguration.h"

#include "common/filereplace.h"
#include "common/usererror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace acquisition {

QString shippedExamplePath(const QString &programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("demo.mux"));
}

QString copyExampleConfiguration(const QString &programFolder, const QString &targetFolder)
{
    const QString copy = QDir(targetFolder).filePath(QStringLiteral("demo.mux"));
    if (QFileInfo::exists(copy))
        return copy;
    const QString example = shippedExamplePath(programFolder);
    QFile source(example);
    if (!source.open(QIODevice::ReadOnly))
        throw common::UserError::cannotOpen(example);
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError)
        throw common::UserError::cannotOpen(example);
    if (!QDir().mkpath(targetFolder) || !common::replaceFile(copy, bytes).ok())
        throw common::UserError::cannotCreate(copy);
    return copy;
}

} // namespace acquisition
