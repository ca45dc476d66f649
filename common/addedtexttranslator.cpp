#include "common/addedtexttranslator.h"

#include "common/commontexts.h"

#include <QCoreApplication>

namespace common {

namespace {
const char kContext[] = "common";
} // namespace

QString inLanguage(const char16_t *french)
{
    return QCoreApplication::translate(kContext, QString::fromUtf16(french).toUtf8().constData());
}

AddedTextTranslator::AddedTextTranslator(const AddedTexts &texts, std::span<const AddedText *const> entries)
    : m_texts(texts)
{
    for (const AddedText *entry : entries)
        m_byFrench.insert(QString::fromUtf16(entry->french), entry);
    // QTranslator's destructor takes it out again.
    if (QCoreApplication::instance())
        QCoreApplication::installTranslator(this);
}

QString AddedTextTranslator::translate(const char *context, const char *sourceText, const char *, int) const
{
    if (qstrcmp(context, kContext) != 0 || !sourceText)
        return {};
    const AddedText *entry = m_byFrench.value(QString::fromUtf8(sourceText));
    return entry ? m_texts.text(*entry) : QString();
}

} // namespace common
