// The conversion job: the small modal window in which one fast-start conversion runs while the user watches
// the gauge and may stop it, then commits (OK) or rolls back (Cancel). It is the only way a program starts a
// conversion.
//
// The window exists only while DoModal runs; it returns IDOK or IDCANCEL. The conversion itself runs on the
// window's thread inside its timer handler, and keeps every window of the thread alive by dispatching their
// messages between chunks.
#pragma once

#include <windows.h>

#include <cstdint>

#include "movie/qtfast.h"
#include "movie/vroonjob_ids.h"
#include "toolkit/gdiobject_win.h"
#include "toolkit/pathname.h"
#include "toolkit/window_win.h"

class CVroonJob;

// The job's converter: its hooks drive the job's window.
class CQTFastJob : public CQTFast {
public:
    explicit CQTFastJob(CVroonJob* pJob);

    // Dispatches the thread's waiting messages (at most every few tens of milliseconds, so that the chunks in
    // between cost next to nothing) and answers whether the user stopped the conversion.
    bool UI_IsCancelled() override;
    void UI_Status(const char* szText) override;
    void UI_SetRange(uint32_t dwTotal) override;
    void UI_SetPosition(uint32_t dwDone) override;

    CVroonJob* m_pJob;
    bool m_bCancelled;

private:
    unsigned m_nCalls;    // cancel questions asked, to read the clock at every few of them
    DWORD m_dwLastPump;   // tick count of the last pump
    bool m_fPositionDue;  // the next position goes to the gauge (set by each pump)
    uint32_t m_dwRange;
    unsigned m_nRangeShift;  // totals above the gauge's signed range are sent halved this many times
};

class CVroonJob : public CDialog {
public:
    // In place: converts szMovie through a temporary file, replaced on OK. idStop is the Stop button's id,
    // IDC_VROON_STOP in the converter program and IDC_VROON_STOP_PLUGIN in the plug-in.
    CVroonJob(const char* szMovie, HWND hParent, bool bAutoCommit, int idStop);
    // From szSource to the new file szDestination (the plug-in's form).
    CVroonJob(const char* szSource, const char* szDestination, HWND hParent, bool bAutoCommit, int idStop);

    // After DoModal: false when the movie was already in fast-start form.
    bool NeedsConversion() const { return m_bNeedsConversion; }

    PATHNAME m_sFileName;        // the movie to convert
    PATHNAME m_sSaveAsFileName;  // the destination; empty for an in-place job
    bool m_bAutoCommit;          // finish by itself: commit an in-place result and close with OK
    CQTFastJob m_qtFAST;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int idItem, int nCode, HWND hControl) override;
    void OnTimer(UINT_PTR idTimer) override;
    void OnDestroy() override;
    void OnOK() override;
    void OnCancel() override;

private:
    friend class CQTFastJob;
    void Convert();
    void OnStop();
    bool m_bNeedsConversion;
    bool m_bFinished;  // the conversion has ended: Escape and the close box may end the job
    int m_idStop;
    CFont m_font;
};
