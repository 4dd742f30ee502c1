// The modal message box of the tool, behind a function so tests can answer
// it without running a modal loop.
#pragma once

#include <QString>
#include <functional>

#include "DialogPlatform.h"

class QWidget;

// Shows text with the buttons and icon of type (MB_OK / MB_YESNO with
// MB_ICONEXCLAMATION / MB_ICONQUESTION) and returns the button pressed.
using MessageBoxFn = std::function<int(QWidget* owner, const QString& text, UINT type)>;

// The real box: modal, the application's name as caption.
int ShowMessageBox(QWidget* owner, const QString& text, UINT type);
