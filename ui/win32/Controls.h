// The standard controls the main dialog binds, each a thin owner-less view
// of a control that the dialog template created. Texts are UTF-8.
#pragma once

#include <string>

#include "Dialog.h"

class CButton : public CWnd {};

class CEdit : public CWnd {};

class CComboBox : public CWnd {
public:
    void ResetContent();
    // At exactly nIndex, whatever the sort style; selects nothing.
    void InsertString(int nIndex, const std::string& text);
};

class CListBox : public CWnd {
public:
    void ResetContent();
    // At exactly nIndex, whatever the sort style.
    void InsertString(int nIndex, const std::string& text);
};

class CIPAddressCtrl : public CWnd {
public:
    // All four fields empty.
    bool IsBlank() const;
    // The first field in the highest byte; an empty field reads as 0.
    DWORD GetAddress() const;
};
