// The launcher: the program's main window, one button per calculation method, the maker's
// promotional text with the contact e-mail and the web address. A saved calculation sheet
// dropped on it, or named on the program's command line, opens in its method's calculator.
#pragma once

#include "framework/framework.h"
#include "link/link_static.h"
#include "sizing/methods.h"

#include <string>

class CLauncherDlg : public CDialog {
public:
    CLauncherDlg();

    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnInitDialog() override;
    // The sheet to open once the launcher is shown; none when path is empty.
    void OpenSheetOnStart(std::wstring path) { m_startSheet = std::move(path); }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Runs method's calculator; when a sheet of another method is opened in it, that method's
    // calculator follows with the sheet.
    void OpenCalculator(sizing::MethodId method);
    // Opens the sheet at path in its method's calculator, filled in and calculated.
    void OpenSheet(const std::wstring& path);

    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    int OnCreate(LPCREATESTRUCTW createStruct);
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    void OnAuxPower();
    void OnShockA();
    void OnPulseA();
    void OnShockB();
    void OnPulseB();
    void OnPulseC();
    void OnPulseD();
    void OnShockC();
    // Once the launcher is shown and painted, makes what only the pointer and the system menu
    // show: the about entry, the link's tooltip and hand cursor, the buttons' tooltips. Answers
    // 0: once is enough.
    LRESULT OnKickIdle(WPARAM, LPARAM);
    // The picture is drawn for 96 dots per inch; at any other resolution the launcher shows a
    // copy stretched smoothly to the same size on the screen.
    void ShowPictureAt(int dpi);

    DECLARE_MESSAGE_MAP()

    CFont m_emailFont;
    CToolTipCtrl m_toolTip;
    CButton m_btnShockC;
    CEdit m_email;
    CButton m_btnPulseD;
    CButton m_btnPulseC;
    CButton m_btnPulseB;
    CButton m_btnShockB;
    CButton m_btnAuxPower;
    CButton m_btnShockA;
    CButton m_btnPulseA;
    CLinkStatic m_webLink;
    HICON m_hIcon;
    // The stretched picture, when there is one.
    CGdiObject m_picture;
    std::wstring m_startSheet;
};
