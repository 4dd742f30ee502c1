// Dialog templates as plain data: every control with its id, kind, caption,
// position and size in dialog units, and the styles the tool relies on. The
// order of the controls is the tab order and the order in which a radio
// group is counted. Front ends build their windows from these tables.
#pragma once

#include <span>
#include <string_view>

enum class ControlKind {
    Label,          // static text
    Picture,        // static icon
    PushButton,
    DefPushButton,  // the dialog's default button
    GroupBox,
    RadioButton,    // automatic radio button
    ComboBox,       // drop-down with an edit field
    Edit,
    IpAddress,
    ListBox,
};

// Styles that matter to the tool's behaviour or look.
enum ControlStyle : unsigned {
    kStyleNone = 0,
    kStyleTabStop = 1u << 0,
    kStyleGroup = 1u << 1,       // starts a group (first radio button)
    kStyleDisabled = 1u << 2,
    kStyleSort = 1u << 3,        // inserting at an index still keeps the order given
    kStyleVScroll = 1u << 4,
    kStyleAutoHScroll = 1u << 5,
    kStyleBorder = 1u << 6,
    kStyleNotify = 1u << 7,
    kStyleNoIntegralHeight = 1u << 8,
    kStyleNoPrefix = 1u << 9,    // an ampersand shows as itself
};

struct SControlTemplate {
    int nId;                   // IDC_STATIC for controls without an id
    const char* pszName;       // the id's name, such as "IDC_COMBO_PORT"
    ControlKind kind;
    std::string_view caption;  // UTF-8
    int x;
    int y;
    int cx;
    int cy;                    // for combo boxes: the height with the list dropped down
    unsigned styles;
};

struct SDialogTemplate {
    int nId;
    std::string_view caption;  // UTF-8
    int cx;
    int cy;
    int nFontPointSize;
    bool bMinimizeBox;
    std::span<const SControlTemplate> controls;
};

// Template 102, the main dialog.
const SDialogTemplate& MainDialogTemplate();
// Template 100, the About box.
const SDialogTemplate& AboutDialogTemplate();

// The string table: the text of a string id (UTF-8), empty when there is none.
std::string_view LoadStringResource(int nId);

// The control of a template with the given id, or null.
const SControlTemplate* FindControl(const SDialogTemplate& dlg, int nId);
