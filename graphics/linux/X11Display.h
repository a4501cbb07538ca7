#pragma once

#include <X11/Xlib.h>

// Opens a connection to the X server named by DISPLAY; null when there is none. A server
// under load may reset a new connection now and then, so a refused attempt is repeated a
// few times before giving up.
Display* OpenX11Display();
