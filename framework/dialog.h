// CDialog: a dialog built from its resource template and run modally.
#pragma once

#include "framework/wnd.h"

// Sent by the modal loop to its dialog, with MSGF_DIALOGBOX, when nothing but timers waits in
// the queue: the dialog is shown and painted, and what only the user's next action needs can be
// made. Asked again at each such moment until it answers 0. Only a dialog whose message map
// handles it is asked: for the others the loop does not look at the queue before each message.
constexpr UINT WM_KICKIDLE = 0x036A;

class CDialog : public CWnd {
public:
    // With a null parent the application's main window owns the dialog.
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    // Creates the dialog, disables its owner and runs the modal loop until EndDialog; answers
    // the value given to EndDialog, or -1 when the dialog could not be created or bound to the
    // object.
    virtual INT_PTR DoModal();
    void EndDialog(int result);
    // TRUE while the modal loop runs and EndDialog has not been called.
    BOOL ContinueModal() const { return m_continueModal; }

    BOOL PreTranslateMessage(MSG* msg) override;
    // Shows the members in the controls (UpdateData(FALSE)); TRUE leaves the focus to the
    // system.
    virtual BOOL OnInitDialog();

protected:
    // Enter: reads the controls and closes when that succeeds. Escape and the close box close.
    virtual void OnOK();
    virtual void OnCancel();

    DECLARE_MESSAGE_MAP()

    UINT m_templateId;
    CWnd* m_pParentWnd;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam);
    // Binds the object to its dialog window as the window is created.
    void BindAtCreation(HWND hwnd) noexcept;
    void RunModalLoop();

    bool m_continueModal = false;
    int m_modalResult = -1;
};

// Hands msg to the PreTranslateMessage of every bound window from its target up to the main
// window, as the modal loop does before dispatching; TRUE when one of them consumed it.
BOOL AfxPreTranslateMessage(MSG* msg);
