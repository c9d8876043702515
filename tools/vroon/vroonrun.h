// vroon's work over its movies: convert, check or list each one, print one result line per movie and a
// summary, and say by the exit status how it went.
#pragma once

#include <cstdio>

#include "tools/vroon/vroonopts.h"

// Result lines go to pOut, failures to pErr, the progress bar to pErr when fProgress. Returns the exit status.
int VROONRUN_Run(const VROON_OPTIONS& options, FILE* pOut, FILE* pErr, bool fProgress);

// The name of the temporary file written beside a movie (or beside -o's destination).
const char VROONRUN_TEMP_SUFFIX[] = ".vroon-tmp";
