// An IPv4 address control: four fields of 0 to 255 separated by dots. A full
// field or "." moves on to the next field, Backspace in an empty field back
// to the previous one; a value above 255 becomes 255. The control is one tab
// stop: Tab enters the first field and leaves the control from any field.
#pragma once

#include <QFrame>
#include <array>

#include "PlatformTypes.h"

class QLineEdit;

class CIpAddressCtrl : public QFrame {
    Q_OBJECT
public:
    explicit CIpAddressCtrl(QWidget* parent = nullptr);

    // All four fields empty.
    bool IsBlank() const;
    // The first field in the highest byte, the fourth in the lowest; an empty
    // field reads as 0.
    DWORD GetAddress() const;
    // Fills the four fields; ClearAddress empties them.
    void SetAddress(DWORD dwAddress);
    void ClearAddress();

    QLineEdit* Field(int nIndex) const { return m_fields[static_cast<std::size_t>(nIndex)]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void ClampAndAdvance(int nIndex);
    void FocusField(int nIndex, bool bCursorAtEnd);
    int IndexOf(QObject* field) const;

    static constexpr int kFieldCount = 4;
    std::array<QLineEdit*, kFieldCount> m_fields{};
};
