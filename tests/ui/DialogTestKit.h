// Helpers for driving the main dialog in tests: a message-box seam that
// records each box and answers it from a script, readable forms of wire
// bytes, and access to controls by id.
#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QStringList>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "IpAddressCtrl.h"
#include "Resource.h"
#include "TessorDeployToolDlg.h"

struct SShownBox {
    QString text;
    UINT type;
};

// Answers message boxes without a modal loop: IDOK for MB_OK boxes, the next
// scripted answer (IDNO when none is left) for MB_YESNO boxes.
class MessageBoxScript {
public:
    MessageBoxFn Seam()
    {
        return [state = m_state](QWidget*, const QString& text, UINT type) {
            state->shown.push_back({text, type});
            if ((type & MB_TYPEMASK) != MB_YESNO) return IDOK;
            if (state->answers.empty()) return IDNO;
            const int answer = state->answers.front();
            state->answers.pop_front();
            return answer;
        };
    }
    void Answer(int nButton) { m_state->answers.push_back(nButton); }
    const std::vector<SShownBox>& Shown() const { return m_state->shown; }
    QStringList Texts() const
    {
        QStringList texts;
        for (const SShownBox& box : m_state->shown) texts << box.text;
        return texts;
    }

private:
    struct State {
        std::vector<SShownBox> shown;
        std::deque<int> answers;
    };
    std::shared_ptr<State> m_state = std::make_shared<State>();
};

// Bytes as text a failure message can show: CR, LF and bytes outside ASCII
// escaped (GBK bytes appear as \xNN).
inline QString Printable(const std::string& bytes)
{
    QString text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\r') text += QStringLiteral("\\r");
        else if (byte == '\n') text += QStringLiteral("\\n");
        else if (byte < 0x20 || byte >= 0x7F) text += QStringLiteral("\\x%1").arg(byte, 2, 16, QLatin1Char('0'));
        else text += QLatin1Char(static_cast<char>(byte));
    }
    return text;
}

inline QStringList Printable(const std::vector<std::string>& lines)
{
    QStringList printable;
    for (const std::string& line : lines) printable << Printable(line);
    return printable;
}

inline QStringList ListLines(const CTessorDeployToolDlg& dlg)
{
    QStringList lines;
    const auto* list = qobject_cast<QListWidget*>(dlg.Control(IDC_LIST_RESULT));
    for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
    return lines;
}

inline QStringList ComboEntries(const CTessorDeployToolDlg& dlg, int nId)
{
    QStringList entries;
    const auto* combo = qobject_cast<QComboBox*>(dlg.Control(nId));
    for (int i = 0; i < combo->count(); ++i) entries << combo->itemText(i);
    return entries;
}

inline QComboBox* Combo(const CTessorDeployToolDlg& dlg, int nId)
{
    return qobject_cast<QComboBox*>(dlg.Control(nId));
}

inline QLineEdit* Edit(const CTessorDeployToolDlg& dlg, int nId)
{
    return qobject_cast<QLineEdit*>(dlg.Control(nId));
}

inline CIpAddressCtrl* IpControl(const CTessorDeployToolDlg& dlg)
{
    return qobject_cast<CIpAddressCtrl*>(dlg.Control(IDC_IPADDRESS));
}

// "192..1." fills the four fields with "192", "", "1", "".
inline void FillIpFields(CIpAddressCtrl& ip, const QString& dotted)
{
    const QStringList parts = dotted.split(QLatin1Char('.'));
    for (int i = 0; i < 4; ++i) ip.Field(i)->setText(i < parts.size() ? parts[i] : QString());
}

// The control a focused widget belongs to (a combo's edit field, a field of
// the IP control), by its object name.
inline QString FocusedControlName(const QWidget* focused)
{
    for (const QWidget* w = focused; w != nullptr; w = w->parentWidget()) {
        if (w->property("controlId").isValid()) return w->objectName();
    }
    return QStringLiteral("<none>");
}
