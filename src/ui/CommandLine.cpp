#include "ui/CommandLine.h"

#include "ui/Program.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace {

// Qt's own options, read by QApplication and the platform plugin: those that take a value,
// then the switches. Both "-name" and "--name" forms reach Qt.
const char* const QtOptionsWithValue =
    "platform platformpluginpath platformtheme plugin qwindowgeometry qwindowicon qwindowtitle "
    "geometry icon title display name visual session style stylesheet";
const char* const QtSwitches = "reverse widgetcount nograb dograb testability";

void addHiddenOptions(QCommandLineParser& parser, const char* names, const QString& valueName)
{
    for (const QString& name : QString::fromLatin1(names).split(QLatin1Char(' '))) {
        QCommandLineOption option(name, QString(), valueName);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

// Configures a parser with every option the program accepts. Qt's options take single-dash
// long names (-platform), so the parser reads every option as a long one.
void describeOptions(QCommandLineParser& parser)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QCoreApplication::translate(
        "CommandLine", "A desktop client for chat services that speak the plain-text chat "
                       "gateway protocol.\nWithout options it opens its main window. Qt's own "
                       "options, such as -platform and -style,\nare accepted too; see "
                       "vantric-chat(1)."));
    parser.addOption(
        QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                           QCoreApplication::translate("CommandLine", "Displays this help.")));
    parser.addVersionOption();
    addHiddenOptions(parser, QtOptionsWithValue, QStringLiteral("value"));
    addHiddenOptions(parser, QtSwitches, QString());
}

void print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

} // namespace

CommandLineRequest readCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    describeOptions(parser);
    CommandLineRequest request;
    if (!parser.parse(arguments)) {
        request.action = CommandLineRequest::Action::Refuse;
        request.error = parser.errorText();
    } else if (!parser.positionalArguments().isEmpty()) {
        request.action = CommandLineRequest::Action::Refuse;
        request.error = QCoreApplication::translate("CommandLine", "Unexpected argument '%1'.")
                            .arg(parser.positionalArguments().first());
    } else if (parser.isSet(QStringLiteral("help"))) {
        request.action = CommandLineRequest::Action::ShowHelp;
    } else if (parser.isSet(QStringLiteral("version"))) {
        request.action = CommandLineRequest::Action::ShowVersion;
    }
    return request;
}

CommandLineRequest readCommandLine(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return readCommandLine(arguments);
}

int answerCommandLine(int argc, char* argv[], const CommandLineRequest& request)
{
    // A core application, not a GUI one: it names the program in the usage line and needs
    // no display.
    nameApplication();
    QCoreApplication app(argc, argv);
    const QString name = QCoreApplication::applicationName();
    switch (request.action) {
    case CommandLineRequest::Action::ShowHelp: {
        QCommandLineParser parser;
        describeOptions(parser);
        print(stdout, parser.helpText());
        return 0;
    }
    case CommandLineRequest::Action::ShowVersion:
        print(stdout,
              name + QLatin1Char(' ') + QCoreApplication::applicationVersion() + QLatin1Char('\n'));
        return 0;
    case CommandLineRequest::Action::Refuse:
        print(stderr, QCoreApplication::translate("CommandLine",
                                                  "%1: %2\nTry '%1 --help' for more information.\n")
                          .arg(name, request.error));
        return 2;
    case CommandLineRequest::Action::Run:
        break;
    }
    return 0;
}
