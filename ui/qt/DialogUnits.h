// Dialog units to pixels for a dialog font: a horizontal unit is a quarter
// of the font's average character width, a vertical unit an eighth of its
// character height. Both dialogs lay their templates out through this.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

class CDialogUnits {
public:
    explicit CDialogUnits(const QFont& font);

    // The dialog font of a template: the system's sans font at the given
    // point size (in place of the shell dialog font).
    static QFont DialogFont(int nPointSize);

    int BaseUnitX() const { return m_nBaseX; }
    int BaseUnitY() const { return m_nBaseY; }

    int ToPixelsX(int nDlu) const;
    int ToPixelsY(int nDlu) const;
    QRect MapDialogRect(int x, int y, int cx, int cy) const;
    QSize MapDialogSize(int cx, int cy) const;

private:
    int m_nBaseX;
    int m_nBaseY;
};
