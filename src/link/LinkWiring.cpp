#include "link/LinkWiring.h"

#include "shell/Log1.h"

void WireLink(Log1& w) {
    (void)w;
}
