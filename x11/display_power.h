#pragma once
// Whether the monitors are off, as the X server's display power management (DPMS) reports it.

#include <X11/Xlib.h>

// True when DPMS is on and has put the monitors in standby, suspend or off; false when they show,
// or the server has no DPMS.
bool MonitorsAreOff(Display* display);
