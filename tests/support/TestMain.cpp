#include "support/TestRegistry.h"

#include "app/Application.h"
#include "support/UnexpectedPrompts.h"

#include <QApplication>
#include <QTest>
#include <cstdio>
#include <vector>

namespace vesto::test {
namespace {
struct Entry {
    const char* name;
    Factory factory;
};
std::vector<Entry>& registry() {
    static std::vector<Entry> entries;
    return entries;
}
} // namespace

int registerTestClass(const char* name, Factory factory) {
    registry().push_back({name, std::move(factory)});
    return static_cast<int>(registry().size());
}
} // namespace vesto::test

namespace {
// The offscreen platform warns about window hints it cannot carry out; that says nothing about
// the program, so keep it out of the test output.
QtMessageHandler defaultHandler = nullptr;
void filterMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("propagateSizeHints")) ||
        message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    defaultHandler(type, context, message);
}
} // namespace

int main(int argc, char** argv) {
    defaultHandler = qInstallMessageHandler(filterMessages);
    QApplication app(argc, argv);
    PrepareApplication(app);
    UnexpectedPrompts unexpectedPrompts;
    ui::InstallPromptHandler(&unexpectedPrompts);
    QStringList args = app.arguments();
    QString only;
    if (args.size() > 1 && !args.at(1).startsWith('-')) {
        only = args.takeAt(1);
    }
    int failed = 0;
    int ran = 0;
    for (const auto& entry : vesto::test::registry()) {
        if (!only.isEmpty() && only != QLatin1String(entry.name)) continue;
        auto object = entry.factory();
        ++ran;
        if (QTest::qExec(object.get(), args) != 0) ++failed;
    }
    if (ran == 0) {
        std::fprintf(stderr, "no test class ran\n");
        return 1;
    }
    ui::InstallPromptHandler(nullptr);
    return failed == 0 ? 0 : 1;
}
