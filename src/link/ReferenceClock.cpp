#include "link/ReferenceClock.h"

#include "link/frmTimeset.h"
#include "shell/Log1.h"
#include "ui/DateSerial.h"
#include "ui/Format.h"
#include "ui/Prompts.h"

#include <QLabel>

void UpdateTimeBase(Log1& w) {
    AppState& st = w.st;
    if (st.DataFromFile == 1) w.Label15->hide();
    // The logger counts real time; the wall clock of the computer may have been put forward or
    // back meanwhile. The reference is the present on today's offset, and each reading is moved
    // by how far the offset at its own instant differs.
    st.DownloadStart = (ui::Now() - st.ClockOffset) - st.LoggerElapsed;
    st.DownloadShifts = ui::WallShiftsBeforeNow(-st.ClockOffset, st.LoggerElapsed);
    w.Label15->hide();
    EndBusy(w);
    w.Label2->setText(
        ui::Format(st.DownloadStart + st.DownloadShifts.at(0), st.DateTimeFormatLong));
    w.Label2->show();
    w.Label5->show();
    w.Label2->repaint();
    w.Label5->repaint();
}

void mnuSetTime_Click(Log1& w) {
    AppState& st = w.st;
    if (st.LinkState == 1 || st.LinkState == 2) return;
    st.ClockFromMenu = 1;
    ui::RunModal(FormOf<frmTimeset>(w));
    if (st.LinkSuspended != 1) UpdateTimeBase(w);
}
