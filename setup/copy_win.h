// The copy of the chosen things with the progress dialog: disk by disk, collection by collection, each thing
// installed with its questions, and on success the system changes in their order. Windows code.
#pragma once

#include "setup/engine_win.h"

// One progress run's state, owned by the progress dialog.
struct COPYSTATE {
    SETUPENGINE* pEngine = nullptr;
    HWND hDlg = nullptr;
    HWND hGauge = nullptr;
    bool fContinue = true;
    int nEndCode = 0;  // 0 running, 2 stopped (disk prompt, overwrite's Cancel), 3 abandoned
    int nShift = 0;    // the gauge counts bytes shifted right by this, so that its range fits
    int64_t cbTotal = 0;
    int64_t cbReported = 0;  // bytes of the current thing the chunk callback already moved the gauge by
    int64_t cbPending = 0;   // bytes not yet sent to the gauge
    DWORD dwLastPump = 0;    // when the queue was last looked at
    int nDisk = 0;
};

// Copies the engine's selection; the end code (0 done, 2 stopped, 3 abandoned).
int COPY_Run(SETUPENGINE* pEngine);
// Advances the gauge by cb bytes and, at most every COPY_PUMP_MS, shows it and dispatches the waiting messages.
void COPY_Progress(COPYSTATE* pState, int64_t cb, bool fNow);
const DWORD COPY_PUMP_MS = 50;

// Installing one thing (thing_win.cpp): the copy record's questions, the overwrite question, the in-use test,
// the backup and the copy, each failure with its message. False when the installation is to stop.
bool THING_Install(COPYSTATE* pState, int nPosition);
// Makes sure the disk's marker file is in the source root, asking for the disk when it is not (diskprompt_win.cpp);
// false when the user cancelled.
bool DISKPROMPT_Ensure(COPYSTATE* pState, int nDisk);
