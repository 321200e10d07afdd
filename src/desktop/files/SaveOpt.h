#pragma once
// "Save Options": whether the save command writes the entire record or only the window the graph
// shows. A choice that was already saved is greyed out each time the dialog is shown.

#include "ui/ScopeDialog.h"

class Log1;

class SaveOpt : public ui::ScopeDialog {
    Q_OBJECT
public:
    explicit SaveOpt(Log1& owner);

protected:
    void showEvent(QShowEvent* event) override;

private:
    Log1& owner_;
};
