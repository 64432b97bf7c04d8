#include "x11/display_power.h"

#include <X11/extensions/dpms.h>

bool MonitorsAreOff(Display* display) {
    int eventBase = 0;
    int errorBase = 0;
    if (!DPMSQueryExtension(display, &eventBase, &errorBase) || !DPMSCapable(display)) return false;
    CARD16 level = DPMSModeOn;
    BOOL enabled = False;
    if (!DPMSInfo(display, &level, &enabled)) return false;
    return enabled && level != DPMSModeOn;
}
