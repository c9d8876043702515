// Resource and command numbers of the batch list, shared by its resource script and its code.
#pragma once

#define IDI_NOTFASTSTART 111  // a listed movie not yet in fast-start form
#define IDI_FASTSTART 112     // a listed movie in fast-start form

#define ID_EDIT_SELECT_ALL 57642
#define ID_EDIT_SELECT_NONE 32781
