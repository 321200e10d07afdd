#include "link/PortDevices.h"

#include "link/serial/MSComm1.h"
#include "shell/FileLocations.h"

#include <QSettings>

namespace {

QString Key(int port) {
    return QStringLiteral("ports/com%1").arg(port);
}

} // namespace

void ReadPortDevices(MSComm1& port) {
    const QSettings file(ProgramSettingsPath(), QSettings::IniFormat);
    for (int n = 1; n <= 4; ++n) port.setChosenDevice(n, file.value(Key(n)).toString());
}

QString WritePortDevices(const MSComm1& port) {
    QSettings file(ProgramSettingsPath(), QSettings::IniFormat);
    for (int n = 1; n <= 4; ++n) {
        const QString chosen = port.chosenDevice(n);
        if (chosen.isEmpty())
            file.remove(Key(n));
        else
            file.setValue(Key(n), chosen);
    }
    file.sync();
    if (file.status() == QSettings::NoError) return {};
    return file.fileName();
}
