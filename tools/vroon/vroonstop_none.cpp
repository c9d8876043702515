#include "vroonstop.h"

void VROONSTOP_At(const char*) {}
