#include "AboutDlg.h"

#include <algorithm>

#include <QLabel>
#include <QPushButton>

#include "AppIcon.h"
#include "DialogPlatform.h"

namespace {

// A static icon is drawn at the system's icon size, whatever the template
// gives it.
constexpr int kIconPixels = 32;

}  // namespace

CAboutDlg::CAboutDlg(QWidget* owner) : QDialog(owner)
{
    ApplyDialogTemplate(*this, AboutDialogTemplate(), m_controls);
    const QIcon icon = LoadAppIcon();
    setWindowIcon(icon);
    for (const SBuiltControl& built : m_controls) {
        if (built.pTemplate->kind == ControlKind::Picture) {
            auto* picture = qobject_cast<QLabel*>(built.pWidget);
            picture->setPixmap(icon.pixmap(kIconPixels, kIconPixels));
            picture->resize(std::max(picture->width(), kIconPixels),
                            std::max(picture->height(), kIconPixels));
        }
    }
    // OK and Enter end the box by accepting; Escape and the close button by
    // rejecting. Either way the owner carries on unchanged.
    auto* ok = qobject_cast<QPushButton*>(Control(IDOK));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    ok->setFocus(Qt::OtherFocusReason);
}

CAboutDlg::~CAboutDlg() = default;

void RunAboutBox(QWidget& owner)
{
    CAboutDlg dlg(&owner);
    dlg.exec();
}
