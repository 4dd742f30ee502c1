// The About box (template 100): the icon, the name and version line, OK.
#pragma once

#include <QDialog>
#include <vector>

#include "TemplateWidgets.h"

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    // The About box opens centred over its owner.
    explicit CAboutDlg(QWidget* owner = nullptr);
    ~CAboutDlg() override;

    QWidget* Control(int nId) const { return FindBuiltControl(m_controls, nId); }

private:
    std::vector<SBuiltControl> m_controls;
};

// Constructs the About box over owner and runs it modally; what it returns
// is of no interest.
void RunAboutBox(QWidget& owner);
