#pragma once
// The device each of COM 1..COM 4 stands for, as the user chose it in the port dialog: kept per
// user in the program's own settings file, one line per port ("com2=/dev/serial/by-id/...").
// A port with no line stands for its default device.

class MSComm1;
class QString;

void ReadPortDevices(MSComm1& port);
// Returns the file that could not be written, empty when the choices were stored.
QString WritePortDevices(const MSComm1& port);
