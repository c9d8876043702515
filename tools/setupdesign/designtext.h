// The text form of a setup design: INI-style sections and keys that name every field of the design file, with
// defaults for what is left out. README.md ("Setup designs") describes it with a complete example.
#pragma once

#include <string>

#include "setup/design.h"

// Fills the design (which must hold the defaults) from the text; false with "LINE: message" in *pError at the
// first error, the design then holding part of the text.
bool DESIGNTEXT_Parse(const std::string& text, DESIGN* pDesign, std::string* pError);

// The design as text in the canonical order; only the values that differ from their defaults, or every value
// with fAll.
std::string DESIGNTEXT_Format(const DESIGN& design, bool fAll);

// What a design names that it does not define (a thing's target, collection or disk, a special thing position):
// one line each; such a design loads, but its text does not compile.
std::string DESIGNTEXT_Dangling(const DESIGN& design);
