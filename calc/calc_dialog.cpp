#include "calc/calc_dialog.h"

#include "calc/calc_texts.h"

void ShowVolume(CWnd& dialog, int resultId, double volume) {
    if (!IsShownVolume(volume)) {
        dialog.MessageBox(InvalidInputMessage, nullptr, MB_OK);
        return;
    }
    if (CWnd* result = dialog.GetDlgItem(resultId)) {
        result->SetWindowText(FormatVolumeSentence(volume).c_str());
    }
}
