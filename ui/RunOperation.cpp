#include "RunOperation.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "Resource.h"

namespace dlglogic {
namespace {

constexpr const char* kSelectPort = "请选择一个串口.";
constexpr const char* kNotSupported = "这个指令目前不支持.";
constexpr const char* kReadNotSupported = "读取不支持.";
constexpr const char* kRiskyConfirm = "这个指令风险较大，是否继续(Y/N)?";
constexpr const char* kResultHeader = "通讯结果：";
constexpr const char* kFailure = "通讯异常.";
constexpr const char* kMacReplyKey = "XP3301 A ";

struct FreeDeleter {
    void operator()(char* p) const { std::free(p); }
};
using ReplyBuffer = std::unique_ptr<char, FreeDeleter>;

// The operations whose value comes from a text control, with the setter the
// value goes to and the field's name for messages.
struct STextOperation {
    DeviceOperation op;
    int nControlId;
    const char* pszFieldName;
    void (CDeviceLink::*setter)(std::string);
};

constexpr STextOperation kTextOperations[] = {
    {ProductType, IDC_COMBO_PRODUCT_TYPE, "产品类型", &CDeviceLink::SetProductType},
    {MacAddress, IDC_EDIT_MAC, "MAC地址", &CDeviceLink::SetMac},
    {Usid, IDC_EDIT_USID, "USID", &CDeviceLink::SetUsid},
    {Ucid, IDC_EDIT_UCID, "UCID", &CDeviceLink::SetUcid},
};

const STextOperation* FindTextOperation(int nOperation)
{
    for (const STextOperation& entry : kTextOperations) {
        if (entry.op == nOperation) return &entry;
    }
    return nullptr;
}

// A character without a code-page-936 form would reach the terminal as "?";
// the press is refused instead, naming the field.
std::string UnencodableMessage(const char* pszFieldName)
{
    return std::string("“") + pszFieldName + "”中有无法用GBK编码发送的字符，未发送.";
}

std::string FormatIp(DWORD dwAddress)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d.%d.%d.%d", static_cast<int>((dwAddress >> 24) & 0xFF),
                  static_cast<int>((dwAddress >> 16) & 0xFF),
                  static_cast<int>((dwAddress >> 8) & 0xFF), static_cast<int>(dwAddress & 0xFF));
    return text;
}

enum class Outcome { Result, Failure };

struct SPrepared {
    bool bReadRefused = false;
    bool bRisky = false;
};

}  // namespace

std::optional<std::string> MacFromReply(const std::string& reply)
{
    const std::string::size_type found = reply.find(kMacReplyKey);
    if (found == std::string::npos) return std::nullopt;
    std::string value = reply.substr(found + std::char_traits<char>::length(kMacReplyKey));
    // Line ends are dropped too: kept in the field, the next Write would send
    // them inside the quotes and corrupt the address on the terminal.
    std::erase_if(value, [](char c) { return c == '"' || c == '\r' || c == '\n'; });
    return value;
}

void RunOperation(IDialogView& view, const ICodePage& codePage, CDeviceLink& deviceLink,
                  int nOperation, BOOL bRead)
{
    view.ResetContent(IDC_LIST_RESULT);

    const std::string portText = view.GetWindowText(IDC_COMBO_PORT);
    if (portText.empty()) {
        view.MessageBox(kSelectPort, MB_OK | MB_ICONEXCLAMATION);
        return;
    }

    ReplyBuffer reply;
    const auto outcome = [&]() -> Outcome {
        const std::optional<std::string> port = codePage.Encode(portText);
        if (!port) {
            view.MessageBox(UnencodableMessage("串口号"), MB_OK | MB_ICONEXCLAMATION);
            return Outcome::Failure;
        }
        deviceLink.SetPort(*port);
        deviceLink.m_bRead = bRead != FALSE;

        SPrepared prepared;
        if (const STextOperation* entry = FindTextOperation(nOperation)) {
            std::string value;
            if (!bRead) {
                const std::optional<std::string> encoded =
                    codePage.Encode(view.GetWindowText(entry->nControlId));
                if (!encoded) {
                    view.MessageBox(UnencodableMessage(entry->pszFieldName),
                                    MB_OK | MB_ICONEXCLAMATION);
                    return Outcome::Failure;
                }
                value = *encoded;
            }
            (deviceLink.*(entry->setter))(std::move(value));
        } else if (nOperation == IpAddress) {
            prepared.bReadRefused = true;
            if (!bRead) {
                // A blank control sends the bare keyword: reusing the address
                // of an earlier Write would set one the operator never entered.
                deviceLink.SetIp(view.IsIpBlank(IDC_IPADDRESS)
                                     ? std::string()
                                     : FormatIp(view.GetIpAddress(IDC_IPADDRESS)));
            }
        } else if (nOperation == ClearAdEeprom || nOperation == ClearMainEeprom) {
            prepared.bRisky = true;
        } else if (nOperation == UpgradePrinterDriver) {
            prepared.bReadRefused = true;
        } else {
            view.MessageBox(kNotSupported, MB_OK | MB_ICONEXCLAMATION);
            return Outcome::Failure;
        }

        if (bRead && prepared.bReadRefused) {
            view.MessageBox(kReadNotSupported, MB_OK | MB_ICONEXCLAMATION);
            return Outcome::Result;
        }
        if (prepared.bRisky &&
            view.MessageBox(kRiskyConfirm, MB_YESNO | MB_ICONQUESTION) != IDYES) {
            return Outcome::Failure;
        }
        char* pReply = nullptr;
        const BOOL bOk = deviceLink.Execute(static_cast<DeviceOperation>(nOperation), &pReply);
        reply.reset(pReply);
        return bOk ? Outcome::Result : Outcome::Failure;
    }();

    if (outcome == Outcome::Failure) {
        view.InsertString(IDC_LIST_RESULT, 0, kFailure);
        return;
    }
    const std::string replyText = reply ? codePage.Decode(reply.get()) : std::string();
    view.InsertString(IDC_LIST_RESULT, 0, kResultHeader);
    view.InsertString(IDC_LIST_RESULT, 1, replyText);
    if (bRead && nOperation == MacAddress) {
        if (const std::optional<std::string> mac = MacFromReply(replyText)) {
            view.SetWindowText(IDC_EDIT_MAC, *mac);
        }
    }
}

}  // namespace dlglogic
