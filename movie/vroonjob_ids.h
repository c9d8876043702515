// The conversion job's dialog: resource and control ids, shared by vroonjob.rc and the code.
#pragma once

#define IDD_VROONJOB 139
#define IDC_VROON_GAUGE 1006
#define IDC_VROON_FILE 1028
#define IDC_VROON_STATUS 2000
// The Stop button: 3 in the converter program, 1029 in the browser plug-in (the job renumbers it).
#define IDC_VROON_STOP 3
#define IDC_VROON_STOP_PLUGIN 1029
// The gauge's window class, registered once per process by the job.
#define VROONJOB_GAUGECLASS "OVGasGauge"
