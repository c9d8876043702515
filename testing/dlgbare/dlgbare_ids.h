// The controls of the bare dialog library's templates, shared with the tests that run them.
#pragma once

#define IDC_BARE_TEXT 101
#define IDC_BARE_SAVETEXT 102
