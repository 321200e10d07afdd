#pragma once
// File > Recent: the menu of the recent records (files/RecentList.h); each entry opens its file.

#include "files/RecentList.h"

class Log1;

// Fills the Recent menu from the list; each entry opens its file.
void FillRecentMenu(Log1& w);
// Opens a record file of the list as Open does, after the same question about unsaved readings.
// A file that is gone is said to be gone and leaves the list.
void OpenRecentRecord(Log1& w, const QString& path);
// File > Open Archive Folder: the folder in the desktop's file manager.
void mnuArchive_Click(Log1& w);
