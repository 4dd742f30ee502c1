#include "RadioGroup.h"

namespace radiogroup {

int IndexOf(int nRadioId)
{
    for (int i = 0; i < static_cast<int>(kOperationRadioIds.size()); ++i) {
        if (kOperationRadioIds[static_cast<std::size_t>(i)] == nRadioId) return i;
    }
    return -1;
}

void ToControls(IDialogView& view, int nIndex)
{
    for (int i = 0; i < static_cast<int>(kOperationRadioIds.size()); ++i) {
        view.SetCheck(kOperationRadioIds[static_cast<std::size_t>(i)], i == nIndex);
    }
}

int FromControls(const IDialogView& view)
{
    int nIndex = -1;
    for (int i = 0; i < static_cast<int>(kOperationRadioIds.size()); ++i) {
        if (view.IsChecked(kOperationRadioIds[static_cast<std::size_t>(i)])) nIndex = i;
    }
    return nIndex;
}

}  // namespace radiogroup
