// The dialog as the operator would see it, without a window: remembers the
// texts of the controls and the lines of each list, records every message
// box, and answers Yes to questions and OK to everything else.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "DialogView.h"
#include "Resource.h"

class RecordingView final : public IDialogView {
public:
    int MessageBox(const std::string& text, UINT type) override
    {
        m_boxes.push_back(text);
        return (type & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
    }

    void ResetContent(int nId) override { m_lists[nId].clear(); }

    void InsertString(int nId, int nIndex, const std::string& text) override
    {
        std::vector<std::string>& lines = m_lists[nId];
        const auto at = static_cast<std::size_t>(nIndex) < lines.size()
                            ? lines.begin() + nIndex
                            : lines.end();
        lines.insert(at, text);
    }

    std::string GetWindowText(int nId) const override
    {
        const auto found = m_texts.find(nId);
        return found == m_texts.end() ? std::string() : found->second;
    }

    void SetWindowText(int nId, const std::string& text) override { m_texts[nId] = text; }

    bool IsChecked(int) const override { return false; }
    void SetCheck(int, bool) override {}
    bool IsIpBlank(int) const override { return true; }
    DWORD GetIpAddress(int) const override { return 0; }

    std::vector<std::string> ResultLines() const
    {
        const auto found = m_lists.find(IDC_LIST_RESULT);
        return found == m_lists.end() ? std::vector<std::string>() : found->second;
    }
    const std::vector<std::string>& Boxes() const { return m_boxes; }

private:
    std::map<int, std::string> m_texts;
    std::map<int, std::vector<std::string>> m_lists;
    std::vector<std::string> m_boxes;
};
