// Code page 936 (GBK) through Qt's converters, which Debian's Qt provides by
// way of ICU.
#pragma once

#include "DialogView.h"

class CGbkCodePage final : public ICodePage {
public:
    std::optional<std::string> Encode(const std::string& utf8) const override;
    std::string Decode(const std::string& bytes) const override;
};
