#pragma once
// "Export CSV": the record in memory, or the window the graph shows, as a CSV file that
// spreadsheets and data tools read unchanged (files/Csv.h). The title and the description stay in
// the record file; the file holds the readings alone.

#include "ui/ScopeDialog.h"

class Log1;

// The scope question while the graph is zoomed: the entire record, the displayed window, or
// Cancel. It asks what the save command's "Save Options" asks, with the same captions.
class ExportOpt : public ui::ScopeDialog {
    Q_OBJECT
public:
    explicit ExportOpt(Log1& owner);
    // The last choice: EntireRecord, DisplayedOnly or Cancelled.
    Choice choice = Cancelled;
};

void mnuExportCSV_Click(Log1& w);
