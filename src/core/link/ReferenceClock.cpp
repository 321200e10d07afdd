#include "link/ReferenceClock.h"

#include "shell/AppState.h"
#include "ui/DateSerial.h"

void SetReferenceTime(AppState& st, double present) {
    st.ClockOffset = ui::Now() - present;
    st.DownloadCancelled = 0;
    st.ClockSet = 1;
}

void UpdateTimeBase(AppState& st) {
    // The logger counts real time; the wall clock of the computer may have been put forward or
    // back meanwhile. The reference is the present on today's offset, and each reading is moved
    // by how far the offset at its own instant differs.
    st.DownloadStart = (ui::Now() - st.ClockOffset) - st.LoggerElapsed;
    st.DownloadShifts = ui::WallShiftsBeforeNow(-st.ClockOffset, st.LoggerElapsed);
}
