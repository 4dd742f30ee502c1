#include "DialogUnits.h"

#include <algorithm>

#include <QFontDatabase>
#include <QFontMetrics>

namespace {

// Rounded n * numerator / denominator, as dialog-unit mapping rounds.
int MulDivRounded(int n, int numerator, int denominator)
{
    const long long product = static_cast<long long>(n) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : (product - half) / denominator);
}

}  // namespace

CDialogUnits::CDialogUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    // The average width of the Latin letters, rounded to whole pixels: the
    // measure dialog layouts have always been scaled by.
    const int letters =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_nBaseX = std::max(1, (letters / 26 + 1) / 2);
    m_nBaseY = std::max(1, metrics.height());
}

QFont CDialogUnits::DialogFont(int nPointSize)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(nPointSize);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    return font;
}

int CDialogUnits::ToPixelsX(int nDlu) const { return MulDivRounded(nDlu, m_nBaseX, 4); }
int CDialogUnits::ToPixelsY(int nDlu) const { return MulDivRounded(nDlu, m_nBaseY, 8); }

QRect CDialogUnits::MapDialogRect(int x, int y, int cx, int cy) const
{
    // Map both corners, so neighbouring controls meet exactly as in units.
    const int left = ToPixelsX(x);
    const int top = ToPixelsY(y);
    return QRect(left, top, ToPixelsX(x + cx) - left, ToPixelsY(y + cy) - top);
}

QSize CDialogUnits::MapDialogSize(int cx, int cy) const
{
    return QSize(ToPixelsX(cx), ToPixelsY(cy));
}
