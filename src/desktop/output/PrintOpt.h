#pragma once
// "Print Options": whether the data listing prints the entire record or only the window the
// graph shows. Asked only while the graph is zoomed.

#include "ui/ScopeDialog.h"

class Log1;

class PrintOpt : public ui::ScopeDialog {
    Q_OBJECT
public:
    explicit PrintOpt(Log1& owner);
};
