#include "calc/pulse_dlg.h"

#include "calc/calc_dialog.h"
#include "sizing/formulas.h"
#include "res/resource.h"

// A text that is no number has been reported by the exchange already: none of the
// calculators computes anything from it.

CPulseADlg::CPulseADlg(CWnd* parent)
    : CDialog(IDD_PULSE_A, parent), m_n(1.4), m_A(0.0), m_L(0.0), m_k(0.0), m_P1(0.0), m_P2(0.0),
      m_P0(0.0) {}

void CPulseADlg::DoDataExchange(CDataExchange* dx) {
    const sizing::Input* input = sizing::MethodOf(sizing::MethodId::PulseA).inputs;
    DDX_Text(dx, IDC_PULSEA_A, m_A, input[0]);
    DDX_Text(dx, IDC_PULSEA_L, m_L, input[1]);
    DDX_Text(dx, IDC_PULSEA_K, m_k, input[2]);
    DDX_Text(dx, IDC_PULSEA_P1, m_P1, input[3]);
    DDX_Text(dx, IDC_PULSEA_P2, m_P2, input[4]);
    DDX_Text(dx, IDC_PULSEA_P0, m_P0, input[5]);
    DDX_Temperatures(dx);
}

BEGIN_MESSAGE_MAP(CPulseADlg, CDialog)
ON_BN_CLICKED(IDC_CALCULATE, OnCalculate)
ON_CALC_SHEET()
END_MESSAGE_MAP()

void CPulseADlg::OnCalculate() {
    if (!UpdateData(TRUE)) {
        return;
    }
    const double inputs[] = {m_A, m_L, m_k, m_P1, m_P2, m_P0};
    ShowVolume(*this, IDC_PULSEA_RESULT, sizing::MethodId::PulseA, inputs,
               PulseAVolume(m_n, m_A, m_L, m_k, m_P1, m_P2, m_P0));
}

CPulseBDlg::CPulseBDlg(CWnd* parent)
    : CDialog(IDD_PULSE_B, parent), m_n(1.4), m_Vp(0.0), m_P1(0.0), m_P2(0.0), m_k(0.0) {}

void CPulseBDlg::DoDataExchange(CDataExchange* dx) {
    const sizing::Input* input = sizing::MethodOf(sizing::MethodId::PulseB).inputs;
    DDX_Text(dx, IDC_PULSEB_VP, m_Vp, input[0]);
    DDX_Text(dx, IDC_PULSEB_P1, m_P1, input[1]);
    DDX_Text(dx, IDC_PULSEB_P2, m_P2, input[2]);
    DDX_Text(dx, IDC_PULSEB_K, m_k, input[3]);
    DDX_Temperatures(dx);
}

BEGIN_MESSAGE_MAP(CPulseBDlg, CDialog)
ON_BN_CLICKED(IDC_CALCULATE, OnCalculate)
ON_CALC_SHEET()
END_MESSAGE_MAP()

void CPulseBDlg::OnCalculate() {
    if (!UpdateData(TRUE)) {
        return;
    }
    const double inputs[] = {m_Vp, m_P1, m_P2, m_k};
    ShowVolume(*this, IDC_PULSEB_RESULT, sizing::MethodId::PulseB, inputs,
               PulseBVolume(m_n, m_Vp, m_P1, m_P2, m_k));
}

CPulseCDlg::CPulseCDlg(CWnd* parent)
    : CDialog(IDD_PULSE_C, parent), m_n(1.4), m_deltaV(0.0), m_P1(0.0), m_P2(0.0) {}

void CPulseCDlg::DoDataExchange(CDataExchange* dx) {
    const sizing::Input* input = sizing::MethodOf(sizing::MethodId::PulseC).inputs;
    DDX_Text(dx, IDC_PULSEC_DELTA_V, m_deltaV, input[0]);
    DDX_Text(dx, IDC_PULSEC_P1, m_P1, input[1]);
    DDX_Text(dx, IDC_PULSEC_P2, m_P2, input[2]);
    DDX_Temperatures(dx);
}

BEGIN_MESSAGE_MAP(CPulseCDlg, CDialog)
ON_BN_CLICKED(IDC_CALCULATE, OnCalculate)
ON_CALC_SHEET()
END_MESSAGE_MAP()

void CPulseCDlg::OnCalculate() {
    if (!UpdateData(TRUE)) {
        return;
    }
    const double inputs[] = {m_deltaV, m_P1, m_P2};
    ShowVolume(*this, IDC_PULSEC_RESULT, sizing::MethodId::PulseC, inputs,
               PulseCVolume(m_n, m_deltaV, m_P1, m_P2));
}

CPulseDDlg::CPulseDDlg(CWnd* parent)
    : CDialog(IDD_PULSE_D, parent), m_Vp(0.0), m_deltaV(0.0), m_Pp(0.0), m_deltaP(0.0) {}

void CPulseDDlg::DoDataExchange(CDataExchange* dx) {
    const sizing::Input* input = sizing::MethodOf(sizing::MethodId::PulseD).inputs;
    DDX_Text(dx, IDC_PULSED_VP, m_Vp, input[0]);
    DDX_Text(dx, IDC_PULSED_DELTA_V, m_deltaV, input[1]);
    DDX_Text(dx, IDC_PULSED_PP, m_Pp, input[2]);
    DDX_Text(dx, IDC_PULSED_DELTA_P, m_deltaP, input[3]);
}

BEGIN_MESSAGE_MAP(CPulseDDlg, CDialog)
ON_BN_CLICKED(IDC_CALCULATE, OnCalculate)
ON_CALC_SHEET()
END_MESSAGE_MAP()

void CPulseDDlg::OnCalculate() {
    if (!UpdateData(TRUE)) {
        return;
    }
    const double inputs[] = {m_Vp, m_deltaV, m_Pp, m_deltaP};
    ShowVolume(*this, IDC_PULSED_RESULT, sizing::MethodId::PulseD, inputs,
               PulseDVolume(m_Vp, m_deltaV, m_Pp, m_deltaP));
}
