// The progress window of an uninstall run: its four lines, each with a pointer in front, of which only the
// current step's shows; light grey like the setup's dialogs. Modeless: the run works between its messages.
// The object owns the window and destroys it with itself.
#pragma once

#include <windows.h>

#include "toolkit/gdiobject_win.h"
#include "toolkit/window_win.h"

const int UNPROGRESS_STEPS = 4;

class CUnProgress : public CDialog {
public:
    explicit CUnProgress(HINSTANCE hInstance);

    // Hides every pointer, shows the one of nStep (0 to UNPROGRESS_STEPS - 1) and repaints the window.
    void SetStep(int nStep);
    // The step whose pointer shows; -1 before the first.
    int GetStep() const { return m_nStep; }

protected:
    bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) override;
    // A removal half done cannot be taken back, so neither Enter nor Escape closes the window before the run
    // ends.
    void OnOK() override;
    void OnCancel() override;

private:
    CBrush m_brBackground;
    int m_nStep = -1;
};
