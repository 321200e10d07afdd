#pragma once
// The dialogue with the logger, driven by the main window's timers. The logger never speaks
// first: each timer looks at the link state and, when its conditions hold, sends one command and
// moves the state on; the receive handler parses the answers and moves it back.

class Log1;

// Throws away whatever the logger sent so far, so that a late answer to an earlier command is
// never taken for the answer to the next one.
void DiscardInput(Log1& w);

// The four commands, each sent after discarding the input.
void SendStatus(Log1& w);
void SendTransfer(Log1& w);
void SendLimits(Log1& w);
void SendRestart(Log1& w);

void Timer1_Timer(Log1& w);  // status polls
void Timer2_Timer(Log1& w);  // transfer requests
void Timer3_Timer(Log1& w);  // diagnostics and transfer progress
void Timer4_Timer(Log1& w);  // status before transfer
void Timer5_Timer(Log1& w);  // periodic status refresh
void Timer7_Timer(Log1& w);  // new limits
void Timer8_Timer(Log1& w);  // transfer watchdog
void Timer9_Timer(Log1& w);  // diagnostics
void Timer10_Timer(Log1& w); // first status request after start-up
void Timer11_Timer(Log1& w); // restart after new limits

// The Download menu item.
void mnuDownload_Click(Log1& w);

// Twenty status polls went unanswered: the status display goes, polling goes on.
void LoggerLost(Log1& w);
// The watchdog gives up a transfer, or the line went away during one (lineLost): what came so far
// is dropped, the record in memory stays (and can still be saved and printed, and counts as
// saved when it was), and the user is told how far the transfer got.
void AbandonTransfer(Log1& w, bool lineLost = false);

// The serial device went away (an adapter pulled out): as with a logger that stopped answering,
// the status display goes and a transfer under way ends.
void PortLost(Log1& w);
// The device is back on the same path: the logger is asked for its status at once.
void PortBack(Log1& w);
