#pragma once
// Choosing the serial port the logger hangs on.

class Log1;

// Shows the port dialog modally (the user picks COM1..COM4 or "No Logger").
void ShowPortDialog(Log1& w);
// Opens COM1 when the stored port could not be opened at start-up; tells the user and shows the
// port dialog when COM1 fails too.
void OpenCom1Fallback(Log1& w);
// The Port menu item: does nothing while a logger answers on the open port.
void mnuPort_Click(Log1& w);
