// Shows the configuration editor alone: quorix_editor_demo [language file]
#include "acquisition/captionmap.h"
#include "acquisition/quorixlanguage.h"
#include "acquisition/ui/cfg_form.h"
#include "common/languagefiles.h"
#include "common/ui/messages.h"

#include <QApplication>
#include <QDir>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorix"));

    acquisition::ConfigurationSession session;
    common::SettingsFile settings(QStringLiteral("quorix.ini"));
    acquisition::QuorixLanguage language(settings, session, QDir::currentPath());
    acquisition::Tconfig_form editor(session, language.messages(), settings);
    editor.registerCaptions(language.targets());

    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) {
        common::runGuarded(nullptr, [&] {
            language.targets().apply(common::readLanguageLines(arguments.at(1), acquisition::kCaptionLineCount));
        });
    }
    editor.show();
    return QApplication::exec();
}
