#pragma once
// The reference clock: the present time the user confirmed, kept as an offset from the computer
// clock, and the time base it gives the logger's readings.

class Log1;

// Turns the logger clock of the last status record into the reference time at which that clock
// stood at zero (DownloadStart), ends the busy state and shows the time of the first reading.
void UpdateTimeBase(Log1& w);

// The Time Set menu item: not while a status exchange or a transfer runs.
void mnuSetTime_Click(Log1& w);
