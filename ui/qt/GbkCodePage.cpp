#include "GbkCodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <string_view>

namespace {

constexpr const char* kCodePageName = "GBK";
constexpr char16_t kReplacement = u'\uFFFD';

// True when the bytes end in the first byte of a double-byte character whose
// second byte is missing: the converter would drop it without a trace.
bool EndsInLoneLeadByte(const std::string& bytes)
{
    std::size_t i = 0;
    bool bLone = false;
    while (i < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        const bool bLead = byte >= 0x81 && byte <= 0xFE;
        bLone = bLead && i + 1 == bytes.size();
        i += bLead ? 2 : 1;
    }
    return bLone;
}

bool IsAscii(std::string_view text)
{
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

}  // namespace

std::optional<std::string> CGbkCodePage::Encode(const std::string& utf8) const
{
    // ASCII is the same in both; the converter (and its data) is loaded only
    // for text that needs it, which keeps it out of the dialog's start-up.
    if (IsAscii(utf8)) return utf8;
    QStringEncoder encoder(kCodePageName, QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder.encode(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    // Characters without a form in the code page come out as "?" and set the
    // error flag; such a text must not reach the terminal.
    if (!encoder.isValid() || encoder.hasError()) return std::nullopt;
    return bytes.toStdString();
}

std::string CGbkCodePage::Decode(const std::string& bytes) const
{
    if (IsAscii(bytes)) return bytes;
    QStringDecoder decoder(kCodePageName, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (EndsInLoneLeadByte(bytes)) text += QChar(kReplacement);
    return text.toStdString();
}
