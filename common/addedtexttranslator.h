#pragma once

#include "common/addedtexts.h"

#include <QHash>
#include <QTranslator>

#include <span>

namespace common {

// Gives inLanguage() the program's current texts: each added text of the
// table is found by its French text. It serves the application from its
// construction to its destruction.
class AddedTextTranslator : public QTranslator {
public:
    // texts and every entry must outlive the translator.
    AddedTextTranslator(const AddedTexts &texts, std::span<const AddedText *const> entries);

    QString translate(const char *context, const char *sourceText, const char *disambiguation = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override { return false; }

private:
    const AddedTexts &m_texts;
    QHash<QString, const AddedText *> m_byFrench;
};

} // namespace common
