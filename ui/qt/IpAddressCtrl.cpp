#include "IpAddressCtrl.h"

#include <algorithm>

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace {

constexpr int kMaxFieldValue = 255;
constexpr int kDigitsPerField = 3;

}  // namespace

CIpAddressCtrl::CIpAddressCtrl(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    auto* validator =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), this);
    for (int i = 0; i < kFieldCount; ++i) {
        auto* field = new QLineEdit(this);
        field->setObjectName(QStringLiteral("field%1").arg(i + 1));
        field->setFrame(false);
        field->setAlignment(Qt::AlignCenter);
        field->setValidator(validator);
        field->setMaxLength(kDigitsPerField);
        // Only the first field is a tab stop, so Tab leaves the control from
        // any field and the control counts once in the tab order.
        field->setFocusPolicy(i == 0 ? Qt::StrongFocus : Qt::ClickFocus);
        field->installEventFilter(this);
        connect(field, &QLineEdit::textEdited, this, [this, i] { ClampAndAdvance(i); });
        m_fields[static_cast<std::size_t>(i)] = field;
        if (i + 1 < kFieldCount) {
            auto* dot = new QLabel(QStringLiteral("."), this);
            dot->setObjectName(QStringLiteral("dot%1").arg(i + 1));
            dot->setAlignment(Qt::AlignCenter);
        }
    }
    setFocusProxy(m_fields[0]);
    setFocusPolicy(Qt::StrongFocus);
}

bool CIpAddressCtrl::IsBlank() const
{
    for (const QLineEdit* field : m_fields) {
        if (!field->text().isEmpty()) return false;
    }
    return true;
}

DWORD CIpAddressCtrl::GetAddress() const
{
    DWORD dwAddress = 0;
    for (const QLineEdit* field : m_fields) {
        const DWORD dwValue = field->text().isEmpty() ? 0u : field->text().toUInt();
        dwAddress = (dwAddress << 8) | (dwValue & 0xFFu);
    }
    return dwAddress;
}

void CIpAddressCtrl::SetAddress(DWORD dwAddress)
{
    for (int i = 0; i < kFieldCount; ++i) {
        const DWORD dwValue = (dwAddress >> (8 * (kFieldCount - 1 - i))) & 0xFFu;
        m_fields[static_cast<std::size_t>(i)]->setText(QString::number(dwValue));
    }
}

void CIpAddressCtrl::ClearAddress()
{
    for (QLineEdit* field : m_fields) field->clear();
}

void CIpAddressCtrl::ClampAndAdvance(int nIndex)
{
    QLineEdit* field = m_fields[static_cast<std::size_t>(nIndex)];
    if (field->text().toInt() > kMaxFieldValue) field->setText(QString::number(kMaxFieldValue));
    if (field->text().size() == kDigitsPerField && field->cursorPosition() == kDigitsPerField &&
        nIndex + 1 < kFieldCount) {
        FocusField(nIndex + 1, false);
    }
}

void CIpAddressCtrl::FocusField(int nIndex, bool bCursorAtEnd)
{
    QLineEdit* field = m_fields[static_cast<std::size_t>(nIndex)];
    field->setFocus(Qt::OtherFocusReason);
    if (bCursorAtEnd) {
        field->deselect();
        field->end(false);
    } else {
        field->selectAll();
    }
}

int CIpAddressCtrl::IndexOf(QObject* watched) const
{
    for (int i = 0; i < kFieldCount; ++i) {
        if (m_fields[static_cast<std::size_t>(i)] == watched) return i;
    }
    return -1;
}

bool CIpAddressCtrl::eventFilter(QObject* watched, QEvent* event)
{
    const int nIndex = IndexOf(watched);
    if (nIndex < 0 || event->type() != QEvent::KeyPress) return QFrame::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    QLineEdit* field = m_fields[static_cast<std::size_t>(nIndex)];
    const bool bDot = key->key() == Qt::Key_Period || key->text() == QStringLiteral(".");
    if (bDot) {
        if (!field->text().isEmpty() && nIndex + 1 < kFieldCount) FocusField(nIndex + 1, false);
        return true;  // a dot is never part of a field
    }
    if (key->key() == Qt::Key_Backspace && field->cursorPosition() == 0 && !field->hasSelectedText() &&
        nIndex > 0) {
        FocusField(nIndex - 1, true);
        return true;
    }
    if (key->key() == Qt::Key_Right && field->cursorPosition() == field->text().size() &&
        nIndex + 1 < kFieldCount) {
        FocusField(nIndex + 1, false);
        return true;
    }
    if (key->key() == Qt::Key_Left && field->cursorPosition() == 0 && nIndex > 0) {
        FocusField(nIndex - 1, true);
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

void CIpAddressCtrl::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    // Four equal fields with a dot between each pair, inside the frame.
    const QRect inner = contentsRect();
    const int nDotWidth = std::max(4, fontMetrics().horizontalAdvance(QLatin1Char('.')) + 2);
    const int nFieldWidth = std::max(1, (inner.width() - 3 * nDotWidth) / kFieldCount);
    int x = inner.left();
    for (int i = 0; i < kFieldCount; ++i) {
        m_fields[static_cast<std::size_t>(i)]->setGeometry(x, inner.top(), nFieldWidth,
                                                           inner.height());
        x += nFieldWidth;
        if (i + 1 < kFieldCount) {
            if (auto* dot = findChild<QLabel*>(QStringLiteral("dot%1").arg(i + 1))) {
                dot->setGeometry(x, inner.top(), nDotWidth, inner.height());
            }
            x += nDotWidth;
        }
    }
}

void CIpAddressCtrl::changeEvent(QEvent* event)
{
    QFrame::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) setBackgroundRole(isEnabled() ? QPalette::Base : QPalette::Window);
}
