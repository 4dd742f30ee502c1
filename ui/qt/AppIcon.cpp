#include "AppIcon.h"

QIcon LoadAppIcon()
{
    QIcon icon;
    for (const int nSize : {16, 24, 32, 48, 256}) {
        icon.addFile(QStringLiteral(":/vadire/icons/vadire-%1.png").arg(nSize), QSize(nSize, nSize));
    }
    return icon;
}
