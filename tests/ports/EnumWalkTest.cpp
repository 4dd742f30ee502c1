// Ports from the registry tree HKLM\Enum (enumerator, device, instance keys).
#include "FakePlatformTest.h"

namespace {

using EnumWalk = FakePlatformTest<>;

TEST_F(EnumWalk, RecordsFromPortNameAndFriendlyName)
{
    UseEnumWalk();
    m_platform.SetTextValue("Enum\\ACPI\\*PNP0501\\0000", "PORTNAME", "COM1");
    m_platform.SetTextValue("Enum\\ACPI\\*PNP0501\\0000", "FRIENDLYNAME", "Communications Port (COM1)");
    m_platform.SetTextValue("Enum\\ACPI\\*PNP0501\\0001", "FRIENDLYNAME", "No port name (COM9)");
    m_platform.SetTextValue("Enum\\ACPI\\*PNP0501\\0002", "PORTNAME", "COM2");
    m_platform.SetTextValue("Enum\\USBPORTS\\VID_0403\\0000", "PORTNAME", "COM5");
    m_platform.SetTextValue("Enum\\USBPORTS\\VID_0403\\0000", "FRIENDLYNAME", "USB Serial (COM5)");

    EXPECT_EQ(Collect(),
              SerInfoArray({{"\\\\.\\COM1", "COM1", "Communications Port (COM1)", FALSE,
                             "Communications Port"},
                            {"\\\\.\\COM2", "COM2", "COM2", FALSE, "COM2"},
                            {"\\\\.\\COM5", "COM5", "USB Serial (COM5)", TRUE, "USB Serial"}}));
}

TEST_F(EnumWalk, SameComNameKeepsFirstPlaceWithLaterValues)
{
    UseEnumWalk();
    m_platform.SetTextValue("Enum\\Root\\*PNP0501\\0000", "PORTNAME", "COM1");
    m_platform.SetTextValue("Enum\\Root\\*PNP0501\\0000", "FRIENDLYNAME", "First (COM1)");
    m_platform.SetTextValue("Enum\\Root\\*PNP0501\\0001", "PORTNAME", "COM2");
    m_platform.SetTextValue("Enum\\USBPORTS\\VID_0403\\0000", "PORTNAME", "COM1");
    m_platform.SetTextValue("Enum\\USBPORTS\\VID_0403\\0001", "PORTNAME", "com2");

    EXPECT_EQ(Collect(), SerInfoArray({{"\\\\.\\COM1", "COM1", "COM1", TRUE, "COM1"},
                                       {"\\\\.\\COM2", "COM2", "COM2", FALSE, "COM2"},
                                       {"\\\\.\\com2", "com2", "com2", TRUE, "com2"}}));
}

TEST_F(EnumWalk, FailingEnumerationEndsTheWalkSilently)
{
    UseEnumWalk();
    m_platform.SetTextValue("Enum\\Root\\*PNP0501\\0000", "PORTNAME", "COM1");
    m_platform.FailCall(PortCall::RegEnumKeyEx, ERROR_ACCESS_DENIED);

    EXPECT_TRUE(Collect().empty());
}

struct AcceptRow {
    const char* name;
    const char* enumerator;
    const char* device;
    bool accepted;
    BOOL onUsb;
};

void PrintTo(const AcceptRow& row, std::ostream* out)
{
    *out << row.name;
}

class DeviceKeyAcceptance : public FakePlatformTest<::testing::TestWithParam<AcceptRow>> {};

TEST_P(DeviceKeyAcceptance, PortKeysOnlyWhereTheyBelong)
{
    UseEnumWalk();
    m_platform.SetTextValue(std::string("Enum\\") + GetParam().enumerator + "\\" +
                                GetParam().device + "\\0000",
                            "PORTNAME", "COM3");

    const SerInfoArray ports = Collect();

    ASSERT_EQ(ports.size(), GetParam().accepted ? 1u : 0u);
    if (GetParam().accepted) {
        EXPECT_EQ(ports[0].m_bOnUsb, GetParam().onUsb);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, DeviceKeyAcceptance,
    ::testing::Values(
        AcceptRow{"Pnp0501", "Root", "*PNP0501", true, FALSE},
        AcceptRow{"Pnp0500", "ISAPNP", "*PNP0500", true, FALSE},
        AcceptRow{"LowerCasePnp0501Skipped", "Root", "*pnp0501", false, FALSE},
        AcceptRow{"OtherDeviceSkipped", "Root", "PNP0C0F", false, FALSE},
        AcceptRow{"AnyNameUnderUsbPorts", "USBPORTS", "VID_0403&PID_6001", true, TRUE},
        AcceptRow{"LowerCaseNameUnderUsbPorts", "USBPORTS", "*pnp0501", true, TRUE},
        AcceptRow{"LowerCaseUsbPortsIsOrdinary", "usbports", "VID_0403&PID_6001", false, FALSE},
        AcceptRow{"Pnp0501UnderLowerCaseUsbPortsNotUsb", "usbports", "*PNP0501", true, FALSE}),
    RowName<AcceptRow>);

// A key name of 128 characters does not fit the 128-character buffer with
// its NUL: it ends its level, and the keys after it are not visited.
enum class Level { Enumerator, Device, Instance };

struct KeyNameRow {
    const char* name;
    Level level;
    std::size_t length;
    bool laterKeyVisited;
};

void PrintTo(const KeyNameRow& row, std::ostream* out)
{
    *out << row.name;
}

class KeyNameLength : public FakePlatformTest<::testing::TestWithParam<KeyNameRow>> {};

TEST_P(KeyNameLength, LongNameEndsItsLevel)
{
    UseEnumWalk();
    const std::string longName(GetParam().length, 'k');
    switch (GetParam().level) {
    case Level::Enumerator:
        m_platform.AddKey("Enum\\" + longName);
        break;
    case Level::Device:
        m_platform.AddKey("Enum\\USBPORTS\\" + longName);
        break;
    case Level::Instance:
        m_platform.AddKey("Enum\\USBPORTS\\VID_0403\\" + longName);
        break;
    }
    m_platform.SetTextValue("Enum\\USBPORTS\\VID_0403\\0000", "PORTNAME", "COM4");

    EXPECT_EQ(Collect().size(), GetParam().laterKeyVisited ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Levels, KeyNameLength,
    ::testing::Values(KeyNameRow{"Enumerator127Fits", Level::Enumerator, 127, true},
                      KeyNameRow{"Enumerator128Ends", Level::Enumerator, 128, false},
                      KeyNameRow{"Device127Fits", Level::Device, 127, true},
                      KeyNameRow{"Device128Ends", Level::Device, 128, false},
                      KeyNameRow{"Instance127Fits", Level::Instance, 127, true},
                      KeyNameRow{"Instance128Ends", Level::Instance, 128, false}),
    RowName<KeyNameRow>);

struct ValueRow {
    const char* name;
    std::string portNameBytes;      // as stored, NUL included where there is one
    std::string friendlyNameBytes;  // empty: no such value
    bool listed;
    std::string expectedComName;
    std::string expectedDisplayName;
};

void PrintTo(const ValueRow& row, std::ostream* out)
{
    *out << row.name;
}

class ValueLength : public FakePlatformTest<::testing::TestWithParam<ValueRow>> {};

TEST_P(ValueLength, ValuesBeyond128BytesCannotBeRead)
{
    UseEnumWalk();
    const std::string key = "Enum\\Root\\*PNP0501\\0000";
    m_platform.SetValueBytes(key, "PORTNAME", GetParam().portNameBytes);
    if (!GetParam().friendlyNameBytes.empty())
        m_platform.SetValueBytes(key, "FRIENDLYNAME", GetParam().friendlyNameBytes);

    const SerInfoArray ports = Collect();

    ASSERT_EQ(ports.size(), GetParam().listed ? 1u : 0u);
    if (GetParam().listed) {
        EXPECT_EQ(ports[0].m_strComName, GetParam().expectedComName);
        EXPECT_EQ(ports[0].m_strDisplayName, GetParam().expectedDisplayName);
    }
}

const std::string kName127 = "COM" + std::string(124, '7');
const std::string kName128 = "COM" + std::string(125, '8');

INSTANTIATE_TEST_SUITE_P(
    Values, ValueLength,
    ::testing::Values(
        ValueRow{"PortName127CharactersListed", kName127 + '\0', "", true, kName127, kName127},
        ValueRow{"PortName128CharactersUnlisted", kName128 + '\0', "", false, "", ""},
        ValueRow{"FriendlyNameTooLongLeftToCompletion", std::string("COM1\0", 5),
                 std::string(128, 'f') + '\0', true, "COM1", "COM1"},
        ValueRow{"PortNameCutAtFirstNul", std::string("COM2\0junk\0", 10), "", true, "COM2", "COM2"},
        // Stored without a NUL: the text ends with the data, not past the buffer.
        ValueRow{"UnterminatedPortNameEndsWithItsData", "COM3", "", true, "COM3", "COM3"},
        ValueRow{"Unterminated128BytesFillTheBuffer", kName128, "", true, kName128, kName128}),
    RowName<ValueRow>);

}  // namespace
