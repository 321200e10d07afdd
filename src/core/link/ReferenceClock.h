#pragma once
// The reference clock: the present time the person confirmed, kept as an offset from the
// computer clock, and the time base it gives the logger's readings.

struct AppState;

// The present time confirmed (a day serial), kept as its offset from the computer clock.
void SetReferenceTime(AppState& st, double present);

// Turns the logger clock of the last status record into the reference time at which that clock
// stood at zero (DownloadStart), with the shifts of wall time where the computer's clocks were
// changed since (DownloadShifts).
void UpdateTimeBase(AppState& st);
