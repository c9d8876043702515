// Stop points of the in-place conversion: the test build ends the process there with SIGKILL, as a crash or a
// power failure would, when the environment variable VROON_TEST_STOP names the point. The build users install
// has no stop points.
#pragma once

void VROONSTOP_At(const char* szPoint);
