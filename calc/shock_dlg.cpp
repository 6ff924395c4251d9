#include "calc/shock_dlg.h"

#include "calc/calc_dialog.h"
#include "sizing/formulas.h"
#include "res/resource.h"

// A text that is no number has been reported by the exchange already: none of the
// calculators computes anything from it.

CShockADlg::CShockADlg(CWnd* parent)
    : CDialog(IDD_SHOCK_A, parent), m_rho(0.0), m_A(0.0), m_l(0.0), m_v(0.0), m_P0(0.0), m_P2(0.0) {
}

void CShockADlg::DoDataExchange(CDataExchange* dx) {
    const sizing::Input* input = sizing::MethodOf(sizing::MethodId::ShockA).inputs;
    DDX_Text(dx, IDC_SHOCKA_RHO, m_rho, input[0]);
    DDX_Text(dx, IDC_SHOCKA_A, m_A, input[1]);
    DDX_Text(dx, IDC_SHOCKA_L, m_l, input[2]);
    DDX_Text(dx, IDC_SHOCKA_V, m_v, input[3]);
    DDX_Text(dx, IDC_SHOCKA_P0, m_P0, input[4]);
    DDX_Text(dx, IDC_SHOCKA_P2, m_P2, input[5]);
    DDX_Temperatures(dx);
}

BEGIN_MESSAGE_MAP(CShockADlg, CDialog)
ON_BN_CLICKED(IDC_CALCULATE, OnCalculate)
ON_CALC_SHEET()
END_MESSAGE_MAP()

void CShockADlg::OnCalculate() {
    if (!UpdateData(TRUE)) {
        return;
    }
    const double inputs[] = {m_rho, m_A, m_l, m_v, m_P0, m_P2};
    ShowVolume(*this, IDC_SHOCKA_RESULT, sizing::MethodId::ShockA, inputs,
               ShockAVolume(m_rho, m_A, m_l, m_v, m_P0, m_P2));
}

CShockBDlg::CShockBDlg(CWnd* parent)
    : CDialog(IDD_SHOCK_B, parent), m_Q(0.0), m_P1(0.0), m_P2(0.0), m_L(0.0), m_t(0.0) {}

void CShockBDlg::DoDataExchange(CDataExchange* dx) {
    const sizing::Input* input = sizing::MethodOf(sizing::MethodId::ShockB).inputs;
    DDX_Text(dx, IDC_SHOCKB_Q, m_Q, input[0]);
    DDX_Text(dx, IDC_SHOCKB_P1, m_P1, input[1]);
    DDX_Text(dx, IDC_SHOCKB_P2, m_P2, input[2]);
    DDX_Text(dx, IDC_SHOCKB_L, m_L, input[3]);
    DDX_Text(dx, IDC_SHOCKB_T, m_t, input[4]);
}

BEGIN_MESSAGE_MAP(CShockBDlg, CDialog)
ON_BN_CLICKED(IDC_CALCULATE, OnCalculate)
ON_CALC_SHEET()
END_MESSAGE_MAP()

void CShockBDlg::OnCalculate() {
    if (!UpdateData(TRUE)) {
        return;
    }
    const double inputs[] = {m_Q, m_P1, m_P2, m_L, m_t};
    ShowVolume(*this, IDC_SHOCKB_RESULT, sizing::MethodId::ShockB, inputs,
               ShockBVolume(m_Q, m_P1, m_P2, m_L, m_t));
}

CShockCDlg::CShockCDlg(CWnd* parent)
    : CDialog(IDD_SHOCK_C, parent), m_Q(0.0), m_L(0.0), m_d(0.0), m_P1(0.0), m_P2(0.0), m_P0(0.0),
      m_t(0.0), m_rho(0.0) {}

void CShockCDlg::DoDataExchange(CDataExchange* dx) {
    const sizing::Input* input = sizing::MethodOf(sizing::MethodId::ShockC).inputs;
    DDX_Text(dx, IDC_SHOCKC_Q, m_Q, input[0]);
    DDX_Text(dx, IDC_SHOCKC_L, m_L, input[1]);
    DDX_Text(dx, IDC_SHOCKC_D, m_d, input[2]);
    DDX_Text(dx, IDC_SHOCKC_P1, m_P1, input[3]);
    DDX_Text(dx, IDC_SHOCKC_P2, m_P2, input[4]);
    DDX_Text(dx, IDC_SHOCKC_P0, m_P0, input[5]);
    DDX_Text(dx, IDC_SHOCKC_T, m_t, input[6]);
    DDX_Text(dx, IDC_SHOCKC_RHO, m_rho, input[7]);
    DDX_Temperatures(dx);
}

BEGIN_MESSAGE_MAP(CShockCDlg, CDialog)
ON_BN_CLICKED(IDC_CALCULATE, OnCalculate)
ON_CALC_SHEET()
END_MESSAGE_MAP()

void CShockCDlg::OnCalculate() {
    if (!UpdateData(TRUE)) {
        return;
    }
    const double inputs[] = {m_Q, m_L, m_d, m_P1, m_P2, m_P0, m_t, m_rho};
    ShowVolume(*this, IDC_SHOCKC_RESULT, sizing::MethodId::ShockC, inputs,
               ShockCVolume(m_Q, m_L, m_d, m_P1, m_P2, m_P0, m_t, m_rho));
}
