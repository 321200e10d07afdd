#include "app/Application.h"

#include "data/DataWiring.h"
#include "files/FilesWiring.h"
#include "graph/GraphWiring.h"
#include "lang/LangWiring.h"
#include "link/LinkWiring.h"
#include "output/OutputWiring.h"
#include "shell/Log1.h"
#include "shell/Logo.h"
#include "shell/SettingsFile.h"
#include "shell/SettingsSave.h"

#include <QApplication>
#include <QFont>
#include <QIcon>

std::unique_ptr<Log1> CreateMainWindow(AppState& st) {
    auto w = std::make_unique<Log1>(st);
    Log1& window = *w;
    window.procedures.WriteSettingsFile = [&window] { WriteSettingsFile(window); };
    WireLang(window);
    WireData(window);
    WireGraph(window);
    WireLink(window);
    WireFiles(window);
    WireOutput(window);
    return w;
}

void PrepareApplication(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("vesto-logger"));
    QApplication::setApplicationVersion(QStringLiteral(VESTO_VERSION));
    QApplication::setFont(QFont(QStringLiteral("Arial"), 8));
    // Sizes for an ordinary and a high-density screen.
    QIcon icon;
    for (const qreal ratio : {1, 2}) icon.addPixmap(DrawLogo(QSize(64, 64), ratio));
    app.setWindowIcon(icon);
}
