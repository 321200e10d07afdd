#include "graph/DrawGraph.h"

#include "shell/Log1.h"

void DrawGraph(Log1& w) {
    (void)w;
}
