#include "shell/SettingsFile.h"

#include "shell/Log1.h"

void WriteSettingsFile(Log1& w) {
    (void)w;
}
