#pragma once
// Lets one test executable run several Qt Test classes: each test source ends with
// VESTO_TEST(ClassName), and the shared main() runs every registered class in turn.
// Pass a class name as the first argument to run only that class.

#include <QObject>
#include <functional>
#include <memory>

namespace vesto::test {

using Factory = std::function<std::unique_ptr<QObject>()>;
int registerTestClass(const char* name, Factory factory);

} // namespace vesto::test

#define VESTO_TEST(Class)                                                                          \
    static const int vestoTestRegistration_##Class =                                               \
        vesto::test::registerTestClass(#Class, [] { return std::make_unique<Class>(); });
