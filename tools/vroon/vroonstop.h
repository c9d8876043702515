// Stop points of the conversion (the steps of an in-place insertion, and "copy-step" after each step of a
// copy): the test build ends the process there with SIGKILL, as a crash or a power failure would, when the
// environment variable VROON_TEST_STOP names the point; and fail points, where
// it makes a write fail, as a failing disk would, when VROON_TEST_FAIL names the point. The build users
// install has neither.
#pragma once

void VROONSTOP_At(const char* szPoint);
bool VROONSTOP_Fails(const char* szPoint);
