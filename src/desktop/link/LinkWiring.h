#pragma once
// The main window as the face of the dialogue with the logger: its menu items start downloads
// and set the clock, and whatever the link reports shows in the status panel, the captions and
// the progress area.

class Log1;
struct StatusRecord;

void WireLink(Log1& w);

// The Download menu item: the question about unsaved readings and the clock dialog first.
void mnuDownload_Click(Log1& w);
// The Time Set menu item: not while a status exchange or a transfer runs.
void mnuSetTime_Click(Log1& w);

// The status panel, from the record the link took into the state.
void ShowStatus(Log1& w, const StatusRecord& record);
// The time of the first reading, from the time base.
void ShowTimeBase(Log1& w);
// The download progress bar and percentage.
void ShowTransferProgress(Log1& w);
// The download that completed: the graph drawn, the commands that need a record enabled.
void ShowDownloadedRecord(Log1& w);
// The status line under the progress bar: shown once a run when a download could not be kept.
void ShowArchiveOutcome(Log1& w, const QString& path, const QString& failure,
                        const QString& folder);
