// Calculators for an accumulator that absorbs the shock of a suddenly closed valve (water
// hammer): three alternative methods.
#pragma once

#include "framework/framework.h"

// Method A, in MPa, from the moving oil column and the pressures P0 and P2.
class CShockADlg : public CDialog {
public:
    explicit CShockADlg(CWnd* parent = nullptr);

    double m_rho; // oil density, kg/L
    double m_A;   // pipe cross-section, m²
    double m_l;   // pipe length, m
    double m_v;   // flow velocity, m/s
    double m_P0;  // pre-charge pressure, MPa
    double m_P2;  // highest bearable shock pressure, MPa

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnCalculate();

    DECLARE_MESSAGE_MAP()
};

// Method B, in MPa, from the flow before the closure, the pipe length and the closing time.
class CShockBDlg : public CDialog {
public:
    explicit CShockBDlg(CWnd* parent = nullptr);

    double m_Q;  // flow before the valve closes, L/min
    double m_P1; // mean pressure before the valve closes, MPa
    double m_P2; // highest permissible shock, MPa
    double m_L;  // pipe length from the oil source to the valve, m
    double m_t;  // closing time of the valve, 0 for a sudden closure

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnCalculate();

    DECLARE_MESSAGE_MAP()
};

// Method C, in bar, from the flow, the line's length and bore, the pressures and the
// deceleration time.
class CShockCDlg : public CDialog {
public:
    explicit CShockCDlg(CWnd* parent = nullptr);

    double m_Q;   // flow before the valve closes, L/min
    double m_L;   // total length of the line, m
    double m_d;   // bore of the line, mm
    double m_P1;  // usual mean pressure in the line, bar
    double m_P2;  // highest shock the line may take, bar
    double m_P0;  // pre-charge pressure, bar
    double m_t;   // deceleration or closing time, 0 for a sudden closure
    double m_rho; // oil density, kg/L

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnCalculate();

    DECLARE_MESSAGE_MAP()
};
