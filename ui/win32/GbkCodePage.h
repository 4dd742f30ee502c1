// Code page 936 (GBK) through the system's own conversion tables, whatever
// the machine's ANSI code page is.
#pragma once

#include "DialogView.h"

class CGbkCodePage final : public ICodePage {
public:
    std::optional<std::string> Encode(const std::string& utf8) const override;
    std::string Decode(const std::string& bytes) const override;
};
