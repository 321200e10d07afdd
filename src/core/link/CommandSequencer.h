#pragma once
// The commands of the dialogue with the logger and what each timer of the link does with them.

class LoggerLink;

// Throws away whatever the logger sent so far, so that a late answer to an earlier command is
// never taken for the answer to the next one.
void DiscardInput(LoggerLink& link);

// The four commands, each sent after discarding the input.
void SendStatus(LoggerLink& link);
void SendTransfer(LoggerLink& link);
void SendLimits(LoggerLink& link);
void SendRestart(LoggerLink& link);

void Timer1_Timer(LoggerLink& link);  // status polls
void Timer2_Timer(LoggerLink& link);  // transfer requests
void Timer4_Timer(LoggerLink& link);  // status before transfer
void Timer5_Timer(LoggerLink& link);  // periodic status refresh
void Timer7_Timer(LoggerLink& link);  // new limits
void Timer8_Timer(LoggerLink& link);  // transfer watchdog
void Timer10_Timer(LoggerLink& link); // first status request after start-up
void Timer11_Timer(LoggerLink& link); // restart after new limits

// A download asked for, once the person has agreed to replace the record in memory and the
// reference clock is set: the next fresh status starts the transfer.
void RequestDownload(LoggerLink& link);

// Twenty status polls went unanswered: the status display goes, polling goes on.
void LoggerLost(LoggerLink& link);
// Why a transfer ended before its last bank.
enum class TransferEnd { Watchdog, LineLost, Stopped };
// The watchdog gives up a transfer, the line went away during one, or the person stopped it: what
// came so far is kept in the archive, the record in memory stays (and can still be saved and
// printed, and counts as saved when it was), and the front end is told how far the transfer got.
void AbandonTransfer(LoggerLink& link, TransferEnd end = TransferEnd::Watchdog);

// The serial device went away (an adapter pulled out): as with a logger that stopped answering,
// the status display goes and a transfer under way ends.
void PortLost(LoggerLink& link);
// The device is back on the same path: the logger is asked for its status at once.
void PortBack(LoggerLink& link);
