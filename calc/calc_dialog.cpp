#include "calc/calc_dialog.h"

#include "calc/calc_sheet.h"
#include "framework/gbk.h"
#include "sizing/result_texts.h"
#include "res/resource.h"
#include "sizing/notes.h"
#include "sizing/temperatures.h"
#include "sizing/units.h"

void ShowVolume(CWnd& dialog, int resultId, sizing::MethodId method, const double* values,
                double volume) {
    if (!IsShownVolume(volume)) {
        dialog.MessageBox(InvalidInputMessage, nullptr, MB_OK);
        return;
    }
    const sizing::Calculation& shown =
        KeepCalculation(dialog.m_hWnd, sizing::MethodOf(method), values, volume);
    if (CWnd* result = dialog.GetDlgItem(resultId)) {
        result->SetWindowText(FormatVolumeSentence(shown.volume).c_str());
    }
    if (HWND notes = ::GetDlgItem(dialog.m_hWnd, IDC_NOTES)) {
        // An edit control breaks its lines at "\r\n". The notes are UTF-8: a model's name that
        // GBK lacks shows as it is.
        ::SetWindowTextW(notes, WideFromUtf8(sizing::JoinNotes(shown.notes, "\r\n")).c_str());
    }
}

void DDX_Text(CDataExchange* dx, int id, double& value, const sizing::Input& input) {
    KeepEdit(dx->m_pDlgWnd->m_hWnd, input, id);
    DDX_Text(dx, id, value, [dx, &input](std::string_view typed, double& read) {
        KeepTypedText(dx->m_pDlgWnd->m_hWnd, input, typed);
        return sizing::ReadTypedQuantity(typed, input, read);
    });
}

void DDX_Temperatures(CDataExchange* dx) {
    sizing::Conditions conditions;
    for (std::size_t i = sizing::kFill; i <= sizing::kMax; ++i) {
        DDX_Text(dx, kTemperatureEdits[i], sizing::TemperatureAt(conditions.temperatures, i),
                 [&conditions, i](std::string_view typed, double& read) {
                     conditions.typedTemperatures[i] = typed;
                     return sizing::ReadTypedTemperature(typed, read);
                 });
    }
    if (!dx->m_bSaveAndValidate || dx->m_bFailed) {
        return;
    }
    std::size_t which = 0;
    const std::string fault = sizing::TemperatureFault(conditions.temperatures, which);
    if (!fault.empty()) {
        AfxMessageBox(fault.c_str(), MB_ICONEXCLAMATION);
        dx->Fail(dx->PrepareCtrl(kTemperatureEdits[which]));
        return;
    }
    KeepConditions(dx->m_pDlgWnd->m_hWnd, conditions);
}

void DDX_Discharge(CDataExchange* dx) {
    // Both edits start empty.
    if (!dx->m_bSaveAndValidate) {
        return;
    }
    sizing::Conditions conditions;
    for (std::size_t i = sizing::kDischargeTime; i <= sizing::kThermalTau; ++i) {
        DDX_Text(dx, kDischargeEdits[i], sizing::DischargeAt(conditions, i),
                 [&conditions, i](std::string_view typed, double& read) {
                     conditions.typedDischarge[i] = typed;
                     if (typed.empty()) {
                         read = 0.0;
                         return true;
                     }
                     return sizing::ReadTypedQuantity(typed, sizing::kDischargeInputs[i], read);
                 });
    }
    if (dx->m_bFailed) {
        return;
    }
    std::size_t which = 0;
    const std::string fault = sizing::DischargeFault(conditions, which);
    if (!fault.empty()) {
        AfxMessageBox(fault.c_str(), MB_ICONEXCLAMATION);
        dx->Fail(dx->PrepareCtrl(kDischargeEdits[which]));
        return;
    }
    KeepDischarge(dx->m_pDlgWnd->m_hWnd, conditions);
}
