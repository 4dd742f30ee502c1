// Builds a dialog's window from its template: caption, font, fixed size and
// title-bar buttons, and one widget per control in template order (so the
// creation order is the tab order), each carrying its id as objectName and
// as the dynamic property "controlId".
#pragma once

#include <QDialog>
#include <vector>

#include "DialogTemplate.h"
#include "DialogUnits.h"

inline constexpr const char* kControlIdProperty = "controlId";

struct SBuiltControl {
    const SControlTemplate* pTemplate;
    QWidget* pWidget;
};

// Applies the template's frame to the dialog and creates its controls.
// Returns the units the layout was made with and the controls in order.
CDialogUnits ApplyDialogTemplate(QDialog& dialog, const SDialogTemplate& dlgTemplate,
                                 std::vector<SBuiltControl>& controls);

// The widget of a control id among the built ones, or null.
QWidget* FindBuiltControl(const std::vector<SBuiltControl>& controls, int nId);
