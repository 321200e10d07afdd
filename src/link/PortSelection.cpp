#include "link/PortSelection.h"

#include "shell/Log1.h"

void ShowPortDialog(Log1& w) {
    (void)w;
}

void OpenCom1Fallback(Log1& w) {
    (void)w;
}
