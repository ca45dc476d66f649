// The rules every program's captions follow: which targets a line reaches,
// what an unknown target or a short file gives, and the added messages.
#include "common/addedtexts.h"
#include "common/captiontable.h"

#include <QTest>

namespace {

constexpr common::AddedText disconnected{5, u"Déconnecté"};
constexpr common::AddedText kept{6, u"Conservée"};
constexpr const common::AddedText *added[] = {&disconnected, &kept};
constexpr common::CaptionLine lines[] = {
    {1, "Form.title", u"Titre"},
    {2, "Form.button", u"Bouton"},
    {2, "Other.button", u"Autre"},
    {4, "message.4", u""},
};
constexpr common::CaptionTable table(lines, 4, added);

} // namespace

class TestCaptionTable : public QObject {
    Q_OBJECT
private slots:
    void tableKnowsItsTargetsAndLines()
    {
        QCOMPARE(table.languageLines(), 6);
        QVERIFY(table.knows("Other.button"));
        QVERIFY(!table.knows("Form.buton"));
        QCOMPARE(table.builtIn("Other.button"), QStringLiteral("Autre"));
        QCOMPARE(table.builtIn("Form.buton"), QString());
        QCOMPARE(common::CaptionTable(lines, 4, {}).languageLines(), 4);
    }

    void linesReachEveryRegisteredSetterInLineOrder()
    {
        common::CaptionRegistry registry(table);
        QStringList log;
        const auto record = [&log](const QString &name) { return [&log, name](const QString &t) { log << name + t; }; };
        QVERIFY(registry.add("message.4", record("m:")));
        // The same name in two windows: both get the line.
        QVERIFY(registry.add("Form.button", record("b1:")));
        QVERIFY(registry.add("Form.button", record("b2:")));
        QVERIFY(registry.addWithBuiltIn("Form.title", record("t:")));
        QCOMPARE(log, QStringList({"t:Titre"}));
        // A misspelt name is refused, not kept to stay blank.
        QVERIFY(!registry.add("Form.buton", record("x:")));
        QVERIFY(!registry.has("Form.buton"));
        QVERIFY(!registry.add("Form.title", {}));

        log.clear();
        registry.apply({"L1", "L2", "L3", "L4"});
        QCOMPARE(log, QStringList({"t:L1", "b1:L2", "b2:L2", "m:L4"}));
        // A short file empties what lies past its end.
        log.clear();
        registry.apply({"L1"});
        QCOMPARE(log, QStringList({"t:L1", "b1:", "b2:", "m:"}));
    }

    // Added messages keep their French text where a file lacks their line or
    // leaves it empty, and take the file's text otherwise.
    void addedTextsFallBackToFrench()
    {
        common::CaptionRegistry registry(table);
        common::AddedTexts texts(added);
        texts.registerIn(registry);
        QString shown;
        registry.addAdded(kept, [&shown](const QString &t) { shown = t; });
        QCOMPARE(texts.text(disconnected), QStringLiteral("Déconnecté"));

        registry.apply({"a", "b", "c", "d", "Disconnected", "Kept"});
        QCOMPARE(texts.text(disconnected), QStringLiteral("Disconnected"));
        QCOMPARE(texts.text(kept), QStringLiteral("Kept"));
        QCOMPARE(shown, QStringLiteral("Kept"));

        registry.apply({"a", "b", "c", "d", "Getrennt"});
        QCOMPARE(texts.text(disconnected), QStringLiteral("Getrennt"));
        QCOMPARE(texts.text(kept), QStringLiteral("Conservée"));
        QCOMPARE(shown, QStringLiteral("Conservée"));
        registry.apply({"a", "b", "c", "d", "", "x"});
        QCOMPARE(texts.text(disconnected), QStringLiteral("Déconnecté"));
    }
};

QTEST_GUILESS_MAIN(TestCaptionTable)
#include "tst_captiontable.moc"
