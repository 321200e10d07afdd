#include "support/TestRegistry.h"

#include "app/Application.h"
#include "support/PromptScript.h"
#ifdef VESTO_HAVE_EMULATOR
#include "support/LoggerEmulator.h"
#endif

#include <QApplication>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {
std::vector<std::pair<const char*, vesto::test::Factory>>& registry() {
    static std::vector<std::pair<const char*, vesto::test::Factory>> entries;
    return entries;
}

// The offscreen platform warns about window hints it cannot carry out; that says nothing about
// the program, so keep it out of the test output.
QtMessageHandler defaultHandler = nullptr;
void filterMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (!message.contains(QLatin1String("propagateSizeHints")) &&
        !message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        defaultHandler(type, context, message);
}
} // namespace

int vesto::test::registerTestClass(const char* name, Factory factory) {
    registry().emplace_back(name, std::move(factory));
    return int(registry().size());
}

int main(int argc, char** argv) {
    defaultHandler = qInstallMessageHandler(filterMessages);
    QApplication app(argc, argv);
    PrepareApplication(app);
#ifdef VESTO_HAVE_EMULATOR
    // A test program that crashes with a logger running (see the logger process tests).
    if (qEnvironmentVariableIsSet("VESTO_TEST_CRASH_WITH_LOGGER")) {
        LoggerEmulator logger({});
        QString error;
        if (!logger.start(error).isEmpty()) std::printf("%lld\n", logger.processId());
        std::fflush(stdout);
        std::abort();
    }
#endif
    const PromptScript unexpectedPrompts(true);
    QStringList args = app.arguments();
    const QString only = args.size() > 1 && !args.at(1).startsWith('-') ? args.takeAt(1) : "";
    int failed = 0, ran = 0;
    for (const auto& [name, factory] : registry()) {
        if (!only.isEmpty() && only != QLatin1String(name)) continue;
        ++ran;
        if (QTest::qExec(factory().get(), args) != 0) ++failed;
    }
    if (ran == 0) qWarning("no test class ran");
    return failed == 0 && ran > 0 ? 0 : 1;
}
