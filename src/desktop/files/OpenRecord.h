#pragma once
// Opening a text record file: it becomes the record in memory, drawn like a download.

class Log1;
class QString;

// "Open": asks before an unsaved record is replaced, shows the Open dialog and reads the chosen
// file; after a failed read the dialog is offered again until a read succeeds or it is
// cancelled.
void mnuOpen_Click(Log1& w);

// True when nothing unsaved would be lost, or the person agreed to replace it (string 76).
bool MayReplaceRecord(Log1& w);

// Reads OpenFileName into the record arrays and draws it. The whole file is read before anything
// in memory changes: a file that cannot be read leaves the previous record, its description and
// every state field as they were, and the user is told what is wrong. Returns true when the
// Open dialog is to be offered again.
bool ReadRecordFile(Log1& w);

// Opens a file given by name (on the command line, from the Recent list) as Open does once a
// file has been chosen, and lists it among the recent records. After a failure the user has
// been told what is wrong and the Open dialog is not offered again. False when it failed.
bool OpenRecordFile(Log1& w, const QString& path);
