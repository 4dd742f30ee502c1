#include "MessageBox.h"

#include <QCoreApplication>
#include <QMessageBox>

int ShowMessageBox(QWidget* owner, const QString& text, UINT type)
{
    QMessageBox box(owner);
    box.setWindowTitle(QCoreApplication::applicationName());
    box.setText(text);
    switch (type & MB_ICONMASK) {
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }
    if ((type & MB_TYPEMASK) == MB_YESNO) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes ? IDYES : IDNO;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return IDOK;
}
