// A conversion job whose copy holds still at one point, so that what a test or a show program does from its
// user thread (Stop, the close box, a screenshot) surely meets a running conversion.
#pragma once

#include <windows.h>

#include <atomic>

#include "movie/vroonjob_win.h"
#include "toolkit/window_win.h"

// The job's gauge, taken over: at the first position that reaches the given fraction of a range of at least
// lMinRange (any position above 0 for a fraction of 0) it shows it, then holds the conversion, dispatching the
// thread's messages as a slow chunk would, until Release() and until everything posted meanwhile has been
// dispatched. A minimum range lets the small copy of the movie atom pass and holds the media data's.
class CHoldingGauge : public CWindow {
public:
    CHoldingGauge(double dFraction, LPARAM lMinRange) : m_dFraction(dFraction), m_lMinRange(lMinRange) {}
    // From any thread.
    void Release() { m_fRelease = true; }
    bool IsHolding() const { return m_fHolding; }

protected:
    bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) override;

private:
    double m_dFraction;
    LPARAM m_lMinRange;
    LPARAM m_lRange = 0;
    bool m_fHeld = false;  // the hold is over (it happens once)
    std::atomic<bool> m_fRelease{false};
    std::atomic<bool> m_fHolding{false};
};

class CHeldJob : public CVroonJob {
public:
    CHeldJob(const char* szMovie, int idStop, double dFraction = 0, LPARAM lMinRange = 0)
        : CVroonJob(szMovie, nullptr, false, idStop), m_gauge(dFraction, lMinRange) {}
    CHoldingGauge m_gauge;

protected:
    bool OnInitDialog() override;
};
