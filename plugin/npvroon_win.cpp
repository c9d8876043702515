// The plug-in library itself: its diagnostics start when the browser loads it, before any export is called.
#include "toolkit/mfx.h"

MFX_DEFINE_STARTUP()
