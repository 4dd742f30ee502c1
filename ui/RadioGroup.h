// The operation radio group: its buttons in template order, whose index is
// the DeviceOperation value, and the exchange of that index with the view.
#pragma once

#include <array>

#include "DialogView.h"
#include "Resource.h"

namespace radiogroup {

// Template order; on screen the right-hand column shows 1018 above 1016.
inline constexpr std::array<int, 8> kOperationRadioIds = {
    IDC_RADIO_PRODUCT_TYPE, IDC_RADIO_MAC,             IDC_RADIO_IP,
    IDC_RADIO_USID,         IDC_RADIO_UCID,            IDC_RADIO_CLEAR_AD_EEPROM,
    IDC_RADIO_UPGRADE_PRINTER, IDC_RADIO_CLEAR_MAIN_EEPROM,
};

// The index of a radio button of the group, or -1 for any other id.
int IndexOf(int nRadioId);

// Towards the controls: the button at nIndex is checked, every other one
// cleared (none checked when nIndex is outside the group).
void ToControls(IDialogView& view, int nIndex);

// From the controls: the index of the checked button, or -1 when none is.
int FromControls(const IDialogView& view);

}  // namespace radiogroup
