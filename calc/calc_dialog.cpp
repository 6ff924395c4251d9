#include "calc/calc_dialog.h"

#include "calc/calc_sheet.h"
#include "sizing/result_texts.h"
#include "res/resource.h"
#include "sizing/notes.h"
#include "sizing/units.h"

void ShowVolume(CWnd& dialog, int resultId, sizing::MethodId method, const double* values,
                double volume) {
    if (!IsShownVolume(volume)) {
        dialog.MessageBox(InvalidInputMessage, nullptr, MB_OK);
        return;
    }
    if (CWnd* result = dialog.GetDlgItem(resultId)) {
        result->SetWindowText(FormatVolumeSentence(volume).c_str());
    }
    const sizing::Calculation& shown =
        KeepCalculation(dialog.m_hWnd, sizing::MethodOf(method), values);
    if (CWnd* notes = dialog.GetDlgItem(IDC_NOTES)) {
        // An edit control breaks its lines at "\r\n".
        notes->SetWindowText(sizing::JoinNotes(shown.notes.lines, "\r\n").c_str());
    }
}

void DDX_Text(CDataExchange* dx, int id, double& value, const sizing::Input& input) {
    DDX_Text(dx, id, value, [dx, &input](std::string_view typed, double& read) {
        KeepTypedText(dx->m_pDlgWnd->m_hWnd, input, typed);
        return sizing::ReadTypedQuantity(typed, input, read);
    });
}
