#include "files/FilesWiring.h"

#include "shell/Log1.h"

void WireFiles(Log1& w) {
    (void)w;
}
