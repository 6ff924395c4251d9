// Calculator for an auxiliary or emergency power source (flow make-up, pressure holding).
#pragma once

#include "framework/framework.h"

class CAuxPowerDlg : public CDialog {
public:
    explicit CAuxPowerDlg(CWnd* parent = nullptr);

    double m_deltaV; // oil volume to deliver, L
    double m_n;      // exponent: 1 for a release over more than 3 minutes, 1.4 for less
    double m_p0;     // pre-charge pressure
    double m_p1;     // lowest working pressure, MPa
    double m_p2;     // highest working pressure, MPa

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnCalculate();

    DECLARE_MESSAGE_MAP()
};
