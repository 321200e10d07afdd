#include "output/OutputWiring.h"

#include "shell/Log1.h"

void WireOutput(Log1& w) {
    (void)w;
}
