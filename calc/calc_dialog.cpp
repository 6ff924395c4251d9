#include "calc/calc_dialog.h"

#include "calc/calc_texts.h"
#include "sizing/units.h"

void ShowVolume(CWnd& dialog, int resultId, double volume) {
    if (!IsShownVolume(volume)) {
        dialog.MessageBox(InvalidInputMessage, nullptr, MB_OK);
        return;
    }
    if (CWnd* result = dialog.GetDlgItem(resultId)) {
        result->SetWindowText(FormatVolumeSentence(volume).c_str());
    }
}

void DDX_Text(CDataExchange* dx, int id, double& value, const sizing::Input& input) {
    DDX_Text(dx, id, value, [&input](std::string_view typed, double& read) {
        return sizing::ReadTypedQuantity(typed, input, read);
    });
}
