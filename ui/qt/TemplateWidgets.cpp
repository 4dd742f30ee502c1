#include "TemplateWidgets.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "IpAddressCtrl.h"

namespace {

QString Utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QWidget* CreateWidget(QDialog& dialog, const SControlTemplate& control, const CDialogUnits& units)
{
    const QString caption = Utf8(control.caption);
    switch (control.kind) {
    case ControlKind::Label: {
        auto* label = new QLabel(caption, &dialog);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setTextFormat(Qt::PlainText);  // no markup, an ampersand shows as itself
        return label;
    }
    case ControlKind::Picture: {
        auto* picture = new QLabel(&dialog);
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return picture;
    }
    case ControlKind::PushButton:
    case ControlKind::DefPushButton: {
        auto* button = new QPushButton(caption, &dialog);
        button->setAutoDefault(true);  // Enter presses a focused push button
        button->setDefault(control.kind == ControlKind::DefPushButton);
        return button;
    }
    case ControlKind::GroupBox: return new QGroupBox(caption, &dialog);
    case ControlKind::RadioButton: {
        auto* radio = new QRadioButton(caption, &dialog);
        radio->setAutoExclusive(true);
        return radio;
    }
    case ControlKind::ComboBox: {
        auto* combo = new QComboBox(&dialog);
        combo->setEditable(true);
        // Entries are only ever put at given positions; typing and Enter
        // must not add or reorder them.
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setDuplicatesEnabled(true);
        // The template height is the height with the list dropped down.
        const int nClosed = units.ToPixelsY(14);
        const int nItem = std::max(1, combo->fontMetrics().height() + 2);
        combo->setMaxVisibleItems(std::max(1, (units.ToPixelsY(control.cy) - nClosed) / nItem));
        return combo;
    }
    case ControlKind::Edit: return new QLineEdit(&dialog);
    case ControlKind::IpAddress: return new CIpAddressCtrl(&dialog);
    case ControlKind::ListBox: {
        auto* list = new QListWidget(&dialog);
        list->setSortingEnabled(false);
        list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        list->setUniformItemSizes(true);
        return list;
    }
    }
    return nullptr;
}

QRect ControlRect(const SControlTemplate& control, const CDialogUnits& units)
{
    // A combo box stands with its closed height; the template gives the
    // height with the list dropped down.
    const int cy = control.kind == ControlKind::ComboBox ? 14 : control.cy;
    return units.MapDialogRect(control.x, control.y, control.cx, cy);
}

Qt::FocusPolicy FocusPolicyOf(const SControlTemplate& control)
{
    switch (control.kind) {
    case ControlKind::Label:
    case ControlKind::Picture:
    case ControlKind::GroupBox: return Qt::NoFocus;
    default:
        // Controls without the tab-stop style (the radio buttons) are left out
        // of the tab order; a click still focuses them.
        return (control.styles & kStyleTabStop) ? Qt::StrongFocus : Qt::ClickFocus;
    }
}

}  // namespace

CDialogUnits ApplyDialogTemplate(QDialog& dialog, const SDialogTemplate& dlgTemplate,
                                 std::vector<SBuiltControl>& controls)
{
    const QFont font = CDialogUnits::DialogFont(dlgTemplate.nFontPointSize);
    dialog.setFont(font);
    const CDialogUnits units(font);

    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (dlgTemplate.bMinimizeBox) flags |= Qt::WindowMinimizeButtonHint;
    dialog.setWindowFlags(flags);
    dialog.setWindowTitle(Utf8(dlgTemplate.caption));
    dialog.setObjectName(QStringLiteral("IDD_%1").arg(dlgTemplate.nId));
    dialog.setProperty(kControlIdProperty, dlgTemplate.nId);
    dialog.setFixedSize(units.MapDialogSize(dlgTemplate.cx, dlgTemplate.cy));
    dialog.setSizeGripEnabled(false);

    controls.clear();
    for (const SControlTemplate& control : dlgTemplate.controls) {
        QWidget* widget = CreateWidget(dialog, control, units);
        widget->setObjectName(QString::fromLatin1(control.pszName));
        widget->setProperty(kControlIdProperty, control.nId);
        widget->setAccessibleName(Utf8(control.caption).remove(QLatin1Char('&')));
        widget->setGeometry(ControlRect(control, units));
        widget->setFocusPolicy(FocusPolicyOf(control));
        widget->setEnabled((control.styles & kStyleDisabled) == 0);
        controls.push_back({&control, widget});
    }
    return units;
}

QWidget* FindBuiltControl(const std::vector<SBuiltControl>& controls, int nId)
{
    for (const SBuiltControl& built : controls) {
        if (built.pTemplate->nId == nId) return built.pWidget;
    }
    return nullptr;
}
