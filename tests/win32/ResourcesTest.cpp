// The resources of VADire.exe as the system reads them: dialog templates
// 102 and 100 control by control against the dialog tables every front end
// builds from, string 101, icon 128, the version information and the
// manifest, all in the language Chinese (PRC).
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "DialogTemplate.h"
#include "Resource.h"
#include "WideText.h"
#include "WineHarness.h"

#include <commctrl.h>

namespace {

const WORD kChinesePrc = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);

// Resource types, by number.
constexpr WORD kTypeDialog = 5;
constexpr WORD kTypeGroupIcon = 14;
constexpr WORD kTypeManifest = 24;

// VADire.exe loaded as a data file, so its resources can be read without
// running it.
class CProgramResources {
public:
    CProgramResources()
        : m_hModule(::LoadLibraryExW(Widen(WinePath(VADIRE_EXE_PATH)).c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE))
    {
    }
    ~CProgramResources()
    {
        if (m_hModule != nullptr)
            ::FreeLibrary(m_hModule);
    }
    CProgramResources(const CProgramResources&) = delete;
    CProgramResources& operator=(const CProgramResources&) = delete;

    HMODULE Module() const { return m_hModule; }

    // The bytes of a resource in Chinese (PRC), empty when there is none.
    std::vector<BYTE> Find(WORD nType, int nId) const
    {
        const HRSRC hInfo = ::FindResourceExW(m_hModule, MAKEINTRESOURCEW(nType),
                                              MAKEINTRESOURCEW(nId), kChinesePrc);
        if (hInfo == nullptr)
            return {};
        const auto* data = static_cast<const BYTE*>(::LockResource(::LoadResource(m_hModule, hInfo)));
        return std::vector<BYTE>(data, data + ::SizeofResource(m_hModule, hInfo));
    }

private:
    HMODULE m_hModule;
};

// A name or an ordinal in a dialog template.
struct SNameOrOrdinal {
    std::wstring name;
    WORD ordinal = 0;  // 0 when a name (or nothing) is given
};

struct SItem {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    int nId = 0;
    SNameOrOrdinal windowClass;
    SNameOrOrdinal title;
};

struct SDialog {
    DWORD style = 0;
    DWORD exStyle = 0;
    short cx = 0, cy = 0;
    std::wstring caption;
    WORD pointSize = 0;
    std::wstring typeface;
    std::vector<SItem> items;
};

// Reads an extended dialog template (DLGTEMPLATEEX and DLGITEMTEMPLATEEX).
class CTemplateReader {
public:
    explicit CTemplateReader(const std::vector<BYTE>& bytes) : m_bytes(bytes) {}

    SDialog Read()
    {
        SDialog dlg;
        const WORD version = Word();
        const WORD signature = Word();
        EXPECT_EQ(version, 1);
        EXPECT_EQ(signature, 0xFFFF);
        Dword();  // help id
        dlg.exStyle = Dword();
        dlg.style = Dword();
        const WORD count = Word();
        Short();
        Short();
        dlg.cx = Short();
        dlg.cy = Short();
        NameOrOrdinal();  // menu
        NameOrOrdinal();  // window class
        dlg.caption = String();
        if (dlg.style & DS_SETFONT) {
            dlg.pointSize = Word();
            Word();  // weight
            Word();  // italic, character set
            dlg.typeface = String();
        }
        for (WORD i = 0; i < count; ++i) {
            Align();
            SItem item;
            Dword();  // help id
            item.exStyle = Dword();
            item.style = Dword();
            item.x = Short();
            item.y = Short();
            item.cx = Short();
            item.cy = Short();
            item.nId = static_cast<int>(Dword());
            item.windowClass = NameOrOrdinal();
            item.title = NameOrOrdinal();
            m_pos += Word();  // creation data
            dlg.items.push_back(item);
        }
        return dlg;
    }

private:
    WORD Word()
    {
        WORD value = 0;
        if (m_pos + 2 <= m_bytes.size())
            std::memcpy(&value, m_bytes.data() + m_pos, 2);
        m_pos += 2;
        return value;
    }
    short Short() { return static_cast<short>(Word()); }
    DWORD Dword()
    {
        const DWORD low = Word();
        return low | (static_cast<DWORD>(Word()) << 16);
    }
    std::wstring String()
    {
        std::wstring text;
        for (WORD c = Word(); c != 0 && m_pos <= m_bytes.size(); c = Word())
            text.push_back(static_cast<wchar_t>(c));
        return text;
    }
    SNameOrOrdinal NameOrOrdinal()
    {
        const WORD first = Word();
        if (first == 0)
            return {};
        if (first == 0xFFFF)
            return {{}, Word()};
        m_pos -= 2;
        return {String(), 0};
    }
    void Align() { m_pos = (m_pos + 3) & ~std::size_t{3}; }

    const std::vector<BYTE>& m_bytes;
    std::size_t m_pos = 0;
};

// The window class of each kind of control, and the bits of the style that
// hold its type. A resource compiler may store a predefined class by its
// atom or by its name.
struct SKindForm {
    WORD classAtom;  // 0: no predefined atom
    const wchar_t* className;
    DWORD typeMask;
    DWORD type;
};

SKindForm FormOf(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Label: return {0x0082, L"Static", SS_TYPEMASK, SS_LEFT};
    case ControlKind::Picture: return {0x0082, L"Static", SS_TYPEMASK, SS_ICON};
    case ControlKind::PushButton: return {0x0080, L"Button", BS_TYPEMASK, BS_PUSHBUTTON};
    case ControlKind::DefPushButton: return {0x0080, L"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON};
    case ControlKind::GroupBox: return {0x0080, L"Button", BS_TYPEMASK, BS_GROUPBOX};
    case ControlKind::RadioButton: return {0x0080, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON};
    case ControlKind::ComboBox: return {0x0085, L"ComboBox", 0x3, CBS_DROPDOWN};
    case ControlKind::Edit: return {0x0081, L"Edit", 0, 0};
    case ControlKind::IpAddress: return {0, WC_IPADDRESSW, 0, 0};
    case ControlKind::ListBox: return {0x0083, L"ListBox", 0, 0};
    }
    return {};
}

bool IsClass(const SNameOrOrdinal& windowClass, const SKindForm& form)
{
    if (windowClass.ordinal != 0)
        return windowClass.ordinal == form.classAtom;
    return ::lstrcmpiW(windowClass.name.c_str(), form.className) == 0;
}

// The window-style bit that stands for one of the table's styles on a kind
// of control; 0 where the style means nothing to that kind (the bit then
// belongs to the control's own type).
DWORD StyleBit(ControlStyle style, ControlKind kind)
{
    switch (style) {
    case kStyleTabStop: return WS_TABSTOP;
    case kStyleGroup: return WS_GROUP;
    case kStyleDisabled: return WS_DISABLED;
    case kStyleVScroll: return WS_VSCROLL;
    case kStyleBorder: return WS_BORDER;
    case kStyleSort:
        return kind == ControlKind::ListBox ? LBS_SORT : kind == ControlKind::ComboBox ? CBS_SORT : 0;
    case kStyleNotify: return kind == ControlKind::ListBox ? LBS_NOTIFY : 0;
    case kStyleNoIntegralHeight: return kind == ControlKind::ListBox ? LBS_NOINTEGRALHEIGHT : 0;
    case kStyleAutoHScroll: return kind == ControlKind::Edit ? ES_AUTOHSCROLL : 0;
    case kStyleNoPrefix: return kind == ControlKind::Label ? SS_NOPREFIX : 0;
    default: return 0;
    }
}

constexpr ControlStyle kStyles[] = {
    kStyleTabStop, kStyleGroup, kStyleDisabled, kStyleSort, kStyleVScroll,
    kStyleAutoHScroll, kStyleBorder, kStyleNotify, kStyleNoIntegralHeight, kStyleNoPrefix,
};

// Every control of the table, in its order, with its id, class, caption,
// rectangle and the styles the tool relies on; nothing more in the template.
void ExpectTemplateMatches(const SDialog& dlg, const SDialogTemplate& table)
{
    EXPECT_EQ(dlg.caption, Widen(table.caption));
    EXPECT_EQ(dlg.cx, table.cx);
    EXPECT_EQ(dlg.cy, table.cy);
    EXPECT_EQ(dlg.pointSize, table.nFontPointSize);
    EXPECT_EQ(dlg.typeface, L"MS Shell Dlg");
    EXPECT_EQ((dlg.style & WS_MINIMIZEBOX) != 0, table.bMinimizeBox);
    EXPECT_EQ(dlg.style & WS_MAXIMIZEBOX, 0u);
    EXPECT_NE(dlg.style & DS_MODALFRAME, 0u);
    EXPECT_NE(dlg.style & WS_SYSMENU, 0u);
    EXPECT_NE(dlg.style & WS_CAPTION, 0u);

    ASSERT_EQ(dlg.items.size(), table.controls.size());
    for (std::size_t i = 0; i < dlg.items.size(); ++i) {
        const SItem& item = dlg.items[i];
        const SControlTemplate& control = table.controls[i];
        SCOPED_TRACE(std::string(control.pszName) + " at position " + std::to_string(i));

        EXPECT_EQ(item.nId, control.nId);
        EXPECT_EQ(item.x, control.x);
        EXPECT_EQ(item.y, control.y);
        EXPECT_EQ(item.cx, control.cx);
        EXPECT_EQ(item.cy, control.cy);

        const SKindForm form = FormOf(control.kind);
        EXPECT_TRUE(IsClass(item.windowClass, form))
            << Narrow(item.windowClass.name) << " #" << item.windowClass.ordinal;
        EXPECT_EQ(item.style & form.typeMask, form.type);

        if (control.kind == ControlKind::Picture) {
            EXPECT_EQ(item.title.ordinal, IDR_MAINFRAME);
        } else {
            EXPECT_EQ(item.title.name, Widen(control.caption));
        }

        for (const ControlStyle style : kStyles) {
            const DWORD bit = StyleBit(style, control.kind);
            if (bit == 0)
                continue;
            EXPECT_EQ((item.style & bit) != 0, (control.styles & style) != 0)
                << "style bit 0x" << std::hex << bit;
        }
    }
}

class ProgramResources : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(program.Module(), nullptr) << VADIRE_EXE_PATH; }

    CProgramResources program;
};

TEST_F(ProgramResources, MainDialogTemplateIsTemplate102ControlByControl)
{
    const std::vector<BYTE> bytes = program.Find(kTypeDialog, IDD_MAIN);
    ASSERT_FALSE(bytes.empty());
    const SDialog dlg = CTemplateReader(bytes).Read();
    ExpectTemplateMatches(dlg, MainDialogTemplate());
    EXPECT_NE(dlg.style & DS_CENTER, 0u);
    EXPECT_NE(dlg.style & WS_VISIBLE, 0u);
    EXPECT_NE(dlg.exStyle & WS_EX_APPWINDOW, 0u);
}

TEST_F(ProgramResources, AboutBoxTemplateIsTemplate100ControlByControl)
{
    const std::vector<BYTE> bytes = program.Find(kTypeDialog, IDD_ABOUTBOX);
    ASSERT_FALSE(bytes.empty());
    const SDialog dlg = CTemplateReader(bytes).Read();
    ExpectTemplateMatches(dlg, AboutDialogTemplate());
    // Placed by its owner when it opens, and shown by the modal run.
    EXPECT_EQ(dlg.style & (DS_CENTER | WS_VISIBLE), 0u);
}

TEST_F(ProgramResources, AboutEntryTextIsString101)
{
    const wchar_t* text = nullptr;
    const int nLength = ::LoadStringW(program.Module(), IDS_ABOUTBOX, reinterpret_cast<wchar_t*>(&text), 0);
    ASSERT_GT(nLength, 0);
    EXPECT_EQ(std::wstring(text, static_cast<std::size_t>(nLength)),
              Widen(LoadStringResource(IDS_ABOUTBOX)));
}

TEST_F(ProgramResources, IconGroup128HoldsThirteenImagesInOrder)
{
    const std::vector<BYTE> bytes = program.Find(kTypeGroupIcon, IDR_MAINFRAME);
    ASSERT_GE(bytes.size(), 6u);
    const auto word = [&](std::size_t offset) {
        WORD value = 0;
        std::memcpy(&value, bytes.data() + offset, 2);
        return value;
    };
    const WORD count = word(4);
    ASSERT_EQ(count, 13);
    ASSERT_EQ(bytes.size(), 6u + 14u * count);

    struct SImage {
        int size;
        int bits;
        bool operator==(const SImage&) const = default;
    };
    std::vector<SImage> images;
    for (WORD i = 0; i < count; ++i) {
        const std::size_t entry = 6 + 14 * i;
        const int size = bytes[entry] == 0 ? 256 : bytes[entry];
        images.push_back({size, word(entry + 6)});
    }
    const std::vector<SImage> expected = {
        {48, 4},  {32, 4},  {24, 4}, {16, 4}, {48, 8},  {32, 8},  {24, 8},
        {16, 8},  {256, 32}, {48, 32}, {32, 32}, {24, 32}, {16, 32},
    };
    EXPECT_TRUE(images == expected);
}

// A string of the version information's Chinese (PRC), code page 936 block.
std::wstring VersionString(const std::vector<BYTE>& info, const wchar_t* name)
{
    const std::wstring path = std::wstring(L"\\StringFileInfo\\080403a8\\") + name;
    void* value = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(info.data(), path.c_str(), &value, &length) || length == 0)
        return L"(missing)";
    return std::wstring(static_cast<const wchar_t*>(value), length - 1);
}

TEST_F(ProgramResources, VersionInformationIs1003InChineseCodePage936)
{
    const std::wstring path = Widen(WinePath(VADIRE_EXE_PATH));
    const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), nullptr);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> info(size);
    ASSERT_TRUE(::GetFileVersionInfoW(path.c_str(), 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000003u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000003u);
    EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0u);
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    EXPECT_EQ(VersionString(info, L"FileDescription"), L"TODO: QZ Configuration Tool");
    EXPECT_EQ(VersionString(info, L"FileVersion"), L"1.0.0.3");
    EXPECT_EQ(VersionString(info, L"InternalName"), L"VADire.exe");
    EXPECT_EQ(VersionString(info, L"OriginalFilename"), L"VADire.exe");
    EXPECT_EQ(VersionString(info, L"ProductName"), Widen("TODO: <产品名>"));
    EXPECT_EQ(VersionString(info, L"ProductVersion"), L"1.0.0.3");

    WORD* translation = nullptr;
    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation",
                                 reinterpret_cast<void**>(&translation), &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(translation[0], 0x0804);
    EXPECT_EQ(translation[1], 936);
}

TEST_F(ProgramResources, ManifestAsksForCommonControls6AsInvokerAndDpiAwareness)
{
    const std::vector<BYTE> bytes = program.Find(kTypeManifest, 1);
    ASSERT_FALSE(bytes.empty());
    const std::string manifest(bytes.begin(), bytes.end());
    for (const char* piece : {
             R"(name="Microsoft.Windows.Common-Controls")",
             R"(version="6.0.0.0")",
             R"(publicKeyToken="6595b64144ccf1df")",
             R"(level="asInvoker")",
             R"(uiAccess="false")",
             R"(>true</dpiAware>)",
         })
        EXPECT_NE(manifest.find(piece), std::string::npos) << piece;
}

}  // namespace
