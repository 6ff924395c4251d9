// The control classes the program binds: buttons, edits, statics and tooltips.
#pragma once

#include "framework/wnd.h"

class CButton : public CWnd {};
class CEdit : public CWnd {};
class CStatic : public CWnd {};

class CToolTipCtrl : public CWnd {
public:
    // The tooltip window goes with the object.
    ~CToolTipCtrl() override;

    // A tooltip window (WS_POPUP plus style) owned by parent.
    BOOL Create(CWnd* parent, DWORD style = 0);
    // Without a rectangle the tool is the whole window wnd (its handle is the tool id);
    // with one, it is that rectangle of wnd under id.
    BOOL AddTool(CWnd* wnd, const char* text, const RECT* rect = nullptr, UINT_PTR id = 0);
};
