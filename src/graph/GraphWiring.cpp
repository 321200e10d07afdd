#include "graph/GraphWiring.h"

#include "graph/DrawGraph.h"
#include "shell/Log1.h"

void WireGraph(Log1& w) {
    w.procedures.DrawGraph = [&w] { DrawGraph(w); };
}
