// The application icon (IDR_MAINFRAME): our own picture in 256, 48, 32, 24
// and 16 pixels, built into the program.
#pragma once

#include <QIcon>

QIcon LoadAppIcon();
