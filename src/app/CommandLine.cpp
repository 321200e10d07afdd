#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>

CommandLine ParseCommandLine(const QCoreApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Downloads, shows, saves and prints the readings of a Vesto voltage exception logger."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("A record file (*.txt) to open at start-up."),
                                 QStringLiteral("[file]"));
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
