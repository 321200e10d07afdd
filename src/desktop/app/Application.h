#pragma once
// Builds the main window with every part of the program connected to it.

#include <memory>

struct AppState;
class Log1;
class QApplication;

std::unique_ptr<Log1> CreateMainWindow(AppState& st);

// Application-wide settings every run shares: name, the design's font.
void PrepareApplication(QApplication& app);
