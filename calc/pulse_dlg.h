// Calculators for an accumulator that damps the pulsation of a hydraulic pump: two methods for
// plunger pumps, two for other pumps.
#pragma once

#include "framework/framework.h"

// Plunger pump, from the plunger's area and stroke.
class CPulseADlg : public CDialog {
public:
    explicit CPulseADlg(CWnd* parent = nullptr);

    double m_n;  // exponent, fixed at 1.4 (a fast, adiabatic change)
    double m_A;  // effective area of the plunger, m²
    double m_L;  // plunger stroke, m
    double m_k;  // pump type coefficient
    double m_P1; // lowest working pressure, Pa
    double m_P2; // highest working pressure, Pa
    double m_P0; // pre-charge pressure, Pa

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnCalculate();

    DECLARE_MESSAGE_MAP()
};

// Plunger pump, from the displacement of one cylinder.
class CPulseBDlg : public CDialog {
public:
    explicit CPulseBDlg(CWnd* parent = nullptr);

    double m_n;  // exponent, fixed at 1.4
    double m_Vp; // displacement of one cylinder, L
    double m_P1; // lowest working pressure, MPa
    double m_P2; // highest working pressure, MPa
    double m_k;  // pump type coefficient

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnCalculate();

    DECLARE_MESSAGE_MAP()
};

// Non-plunger pump, from the excess discharge per cycle.
class CPulseCDlg : public CDialog {
public:
    explicit CPulseCDlg(CWnd* parent = nullptr);

    double m_n;      // exponent, fixed at 1.4
    double m_deltaV; // excess discharge above the mean per cycle, L
    double m_P1;     // lowest working pressure, MPa
    double m_P2;     // highest working pressure, MPa

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnCalculate();

    DECLARE_MESSAGE_MAP()
};

// Non-plunger pump, from its displacement and the permitted pulsation of the pressure.
class CPulseDDlg : public CDialog {
public:
    explicit CPulseDDlg(CWnd* parent = nullptr);

    double m_Vp;     // displacement, L per revolution
    double m_deltaV; // excess discharge above the mean within one displacement, L
    double m_Pp;     // mean output pressure, MPa
    double m_deltaP; // one-sided amplitude of the pressure pulsation, MPa

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnCalculate();

    DECLARE_MESSAGE_MAP()
};
