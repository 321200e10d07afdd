#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>

namespace {

void DescribeOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(QStringLiteral(
        "Downloads, shows, saves and prints the readings of a Vesto voltage exception logger."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("A record file (*.txt) to open at start-up."),
                                 QStringLiteral("[file]"));
}

} // namespace

void AnswerInformationOptions(int argc, char** argv) {
    // A core application only: no platform plugin is loaded, so nothing but the answer reaches
    // the terminal, and no display is needed.
    QCoreApplication core(argc, argv);
    QCommandLineParser parser;
    DescribeOptions(parser);
    // Anything else, a wrong option included, is the full parse's to judge.
    parser.parse(QCoreApplication::arguments());
    if (parser.isSet(QStringLiteral("help"))) parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version"))) parser.showVersion();
}

CommandLine ParseCommandLine(const QCoreApplication& app) {
    QCommandLineParser parser;
    DescribeOptions(parser);
    parser.process(app);
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        std::fprintf(stderr, "%s: one record file at most (%s)\n",
                     qPrintable(QCoreApplication::applicationName()),
                     qPrintable(files.join(QLatin1Char(' '))));
        std::exit(1);
    }
    CommandLine line;
    if (!files.isEmpty()) line.recordFile = QFileInfo(files.first()).absoluteFilePath();
    return line;
}
