// The binary design file as the engine reads it, written from a design in memory.
#pragma once

#include <string>

#include "setup/design.h"

// The file's bytes: present slots in ascending order, each section's count of entries as written.
std::string DESIGNWRITE_Bytes(const DESIGN& design);
