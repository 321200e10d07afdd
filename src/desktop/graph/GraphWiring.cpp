#include "graph/GraphWiring.h"

#include "graph/Describe.h"
#include "graph/DrawGraph.h"
#include "graph/Zoom.h"
#include "graph/canvas/PictureBox.h"
#include "shell/Log1.h"

#include <QPushButton>

void WireGraph(Log1& w) {
    w.procedures.DrawGraph = [&w] { DrawGraph(w); };

    QObject::connect(w.Picture1, &PictureBox::MouseDown, &w,
                     [&w](int button, int shift, double x, double y) {
                         Picture1_MouseDown(w, button, shift, x, y);
                     });
    QObject::connect(w.Picture1, &PictureBox::MouseMove, &w,
                     [&w](int button, int shift, double x, double y) {
                         Picture1_MouseMove(w, button, shift, x, y);
                     });
    QObject::connect(w.Picture1, &PictureBox::MouseUp, &w,
                     [&w](int button, int shift, double x, double y) {
                         Picture1_MouseUp(w, button, shift, x, y);
                     });
    QObject::connect(w.Picture1, &PictureBox::KeyDown, &w,
                     [&w](int key, int) { Picture1_KeyDown(w, key); });
    // On a screen of another ratio the graph is drawn anew at that screen's resolution.
    QObject::connect(w.Picture1, &PictureBox::ratioChanged, &w, [&w] {
        if (w.RecordLoaded()) DrawGraph(w);
    });
    QObject::connect(w.Command2, &QPushButton::clicked, &w, [&w] { Unzoom(w); });
    QObject::connect(w.Command3, &QPushButton::clicked, &w, [&w] { Annotate(w); });
}
