#include "tools/vroon/vroonstop.h"

void VROONSTOP_At(const char*) {}
