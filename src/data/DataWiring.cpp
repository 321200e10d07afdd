#include "data/DataWiring.h"

#include "shell/Log1.h"

void WireData(Log1& w) {
    (void)w;
}
