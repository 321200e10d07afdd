#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/StartupProbe.h"
#include "files/OpenRecord.h"
#include "shell/AppState.h"
#include "shell/Log1.h"

#include <QApplication>

int main(int argc, char** argv) {
    QCoreApplication::setApplicationName(QStringLiteral("vesto-logger"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VESTO_VERSION));
    AnswerInformationOptions(argc, argv);
    QApplication app(argc, argv);
    PrepareApplication(app);
    const CommandLine line = ParseCommandLine(app);
    auto st = std::make_unique<AppState>();
    auto window = CreateMainWindow(*st);
    QObject::connect(window.get(), &Log1::ended, &app, &QApplication::quit, Qt::QueuedConnection);
    ArmStartupProbe(*window);
    window->Load();
    if (!line.recordFile.isEmpty()) OpenRecordFile(*window, line.recordFile);
    return app.exec();
}
