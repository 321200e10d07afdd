#pragma once
// Connects this part's menu items, buttons and events of the main window to their commands.

class Log1;

void WireOutput(Log1& w);
