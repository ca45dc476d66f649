#include "common/commandline.h"

#include "common/version.h"

#include <QCommandLineParser>

#include <cstdio>

namespace common {

namespace {

// The parser owns its options; both passes must know the same ones.
struct Parser {
    QCommandLineParser parser;
    QCommandLineOption help {{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and exit.")};
    QCommandLineOption version {{QStringLiteral("v"), QStringLiteral("version")},
                                QStringLiteral("Show the package version and exit.")};

    explicit Parser(const ProgramDescription &program)
    {
        // "-platform" is one of Qt's options, not seven letters.
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.setApplicationDescription(program.description);
        parser.addOption(help);
        parser.addOption(version);
    }
};

QString helpText(const QCommandLineParser &parser, const ProgramDescription &program)
{
    // The parser names the executable (or a placeholder before the
    // application object exists); users type the launcher's name.
    QString text = parser.helpText();
    const QLatin1String usage("Usage: ");
    const qsizetype options = text.indexOf(QLatin1String(" [options]"));
    if (text.startsWith(usage) && options > 0)
        text.replace(usage.size(), options - usage.size(), program.command);
    text += QStringLiteral("\nThe window system's options (-platform, -display, -style...) are accepted too.\n");
    return text;
}

QString tryHelp(const ProgramDescription &program)
{
    return QStringLiteral("Try '%1 --help' for more information.\n").arg(program.command);
}

} // namespace

std::optional<CommandLineAnswer> answerInfoOptions(const QStringList &arguments, const ProgramDescription &program)
{
    Parser p(program);
    p.parser.parse(arguments); // unknown options are for the second pass
    if (p.parser.isSet(p.help))
        return CommandLineAnswer {0, helpText(p.parser, program)};
    if (p.parser.isSet(p.version))
        return CommandLineAnswer {0, QStringLiteral("%1 %2\n").arg(program.command, QLatin1String(SETRIX_QUORIX_VERSION))};
    return std::nullopt;
}

std::optional<CommandLineAnswer> refuseLeftoverArguments(const QStringList &arguments,
                                                         const ProgramDescription &program)
{
    Parser p(program);
    if (!p.parser.parse(arguments))
        return CommandLineAnswer {2, QStringLiteral("%1: %2\n").arg(program.command, p.parser.errorText())
                                         + tryHelp(program)};
    const QStringList extra = p.parser.positionalArguments();
    if (!extra.isEmpty())
        return CommandLineAnswer {2, QStringLiteral("%1: unexpected argument '%2'.\n").arg(program.command, extra.first())
                                         + tryHelp(program)};
    return std::nullopt;
}

QStringList argumentList(int argc, char **argv)
{
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list.append(QString::fromLocal8Bit(argv[i]));
    return list;
}

int deliver(const CommandLineAnswer &answer)
{
    std::FILE *stream = answer.exitCode == 0 ? stdout : stderr;
    std::fputs(answer.text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
    return answer.exitCode;
}

} // namespace common
