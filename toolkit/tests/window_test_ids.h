// Ids of the test dialog, shared by window_test.rc and the tests.
#pragma once

#define IDD_WINDOWTEST 200
#define IDC_LABEL 101
#define IDC_EDIT 102
#define IDC_PRESS 103
