#include "support/Fixtures.h"

#include "app/Application.h"

#include <QFile>

ScopedWorkDir::ScopedWorkDir() : previous_(QDir::currentPath()) {
    QDir::setCurrent(dir_.path());
}

ScopedWorkDir::~ScopedWorkDir() {
    QDir::setCurrent(previous_);
}

void ScopedWorkDir::write(const QString& name, const QByteArray& bytes) const {
    QFile f(file(name));
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

QByteArray ScopedWorkDir::read(const QString& name) const {
    QFile f(file(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

MainWindowFixture::MainWindowFixture()
    : st(std::make_unique<AppState>()), w(CreateMainWindow(*st)) {}

MainWindowFixture::~MainWindowFixture() {
    w.reset();
    st.reset();
}
