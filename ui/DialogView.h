// What the dialog logic needs of the window it works on. A front end (the Qt
// dialog, a native Windows dialog) implements it; the logic never sees a
// toolkit type. Controls are named by their ids (Resource.h); texts are UTF-8.
#pragma once

#include <optional>
#include <string>

#include "DialogPlatform.h"

class IDialogView {
public:
    virtual ~IDialogView() = default;

    // A modal message box with the application's name as its caption; the
    // button pressed (IDOK, IDYES, IDNO, ...).
    virtual int MessageBox(const std::string& text, UINT type) = 0;

    // List and combo boxes: remove every entry; put one at exactly nIndex
    // (no sorting, whatever the control's style).
    virtual void ResetContent(int nId) = 0;
    virtual void InsertString(int nId, int nIndex, const std::string& text) = 0;

    // The text of an edit control or of a combo box's edit field.
    virtual std::string GetWindowText(int nId) const = 0;
    virtual void SetWindowText(int nId, const std::string& text) = 0;

    // Radio buttons.
    virtual bool IsChecked(int nId) const = 0;
    virtual void SetCheck(int nId, bool bChecked) = 0;

    // The IP-address control: all four fields empty; the address with the
    // first field in the highest byte, an empty field reading as 0.
    virtual bool IsIpBlank(int nId) const = 0;
    virtual DWORD GetIpAddress(int nId) const = 0;
};

// Texts cross between the window (UTF-8) and the device link (the tool's
// 8-bit code page, 936) through this.
class ICodePage {
public:
    virtual ~ICodePage() = default;

    // The 8-bit form of a UTF-8 text, or nothing when a character of it has
    // no form in the code page.
    virtual std::optional<std::string> Encode(const std::string& utf8) const = 0;
    // The UTF-8 form of 8-bit bytes; bytes that form no character of the code
    // page become U+FFFD and the rest of the text is kept.
    virtual std::string Decode(const std::string& bytes) const = 0;
};
