#include "calc/aux_power_dlg.h"

#include "calc/calc_dialog.h"
#include "sizing/formulas.h"
#include "res/resource.h"

CAuxPowerDlg::CAuxPowerDlg(CWnd* parent)
    : CDialog(IDD_AUX_POWER, parent), m_deltaV(0.0), m_n(1.0), m_p0(0.0), m_p1(0.0), m_p2(0.0) {}

void CAuxPowerDlg::DoDataExchange(CDataExchange* dx) {
    const sizing::Input* input = sizing::MethodOf(sizing::MethodId::Aux).inputs;
    DDX_Text(dx, IDC_AUX_DELTA_V, m_deltaV, input[0]);
    DDX_Text(dx, IDC_AUX_N, m_n, input[1]);
    DDX_Text(dx, IDC_AUX_P0, m_p0, input[2]);
    DDX_Text(dx, IDC_AUX_P1, m_p1, input[3]);
    DDX_Text(dx, IDC_AUX_P2, m_p2, input[4]);
    DDX_Temperatures(dx);
    DDX_Discharge(dx);
}

BEGIN_MESSAGE_MAP(CAuxPowerDlg, CDialog)
ON_BN_CLICKED(IDC_CALCULATE, OnCalculate)
ON_CALC_SHEET()
END_MESSAGE_MAP()

void CAuxPowerDlg::OnCalculate() {
    // A text that is no number has been reported already: nothing is calculated from it.
    if (!UpdateData(TRUE)) {
        return;
    }
    const double inputs[] = {m_deltaV, m_n, m_p0, m_p1, m_p2};
    ShowVolume(*this, IDC_AUX_RESULT, sizing::MethodId::Aux, inputs,
               AuxPowerVolume(m_deltaV, m_n, m_p0, m_p1, m_p2));
}
