#include "vroonstop.h"

void VROONSTOP_At(const char*) {}

bool VROONSTOP_Fails(const char*) {
    return false;
}
