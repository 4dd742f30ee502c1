// Read and Write through the real dialog against the terminal simulator on a
// pseudo-terminal: the lines on the wire, the result lines, the message
// boxes, and what comes back into the dialog.
#include <QtTest>
#include <optional>

#include "DialogTestKit.h"
#include "RunOperation.h"
#include "SimulatorProcess.h"
#include "TempDir.h"

namespace {

const QString kResult = QStringLiteral("通讯结果：");
const QString kFailure = QStringLiteral("通讯异常.");
const QString kRisky = QStringLiteral("这个指令风险较大，是否继续(Y/N)?");

// A dialog on a fresh simulator, with message boxes answered by a script.
struct Bench {
    SimulatorProcess sim;
    MessageBoxScript boxes;
    CTessorDeployToolDlg dlg{{.portSource = {}, .messageBox = boxes.Seam(), .aboutBox = {}}};

    Bench()
    {
        dlg.show();
        // The operator picks the simulator's port from the list.
        QComboBox* port = Combo(dlg, IDC_COMBO_PORT);
        port->setCurrentIndex(port->findText(QString::number(sim.ComNumber())));
    }
    void Choose(int nRadioId) { QTest::mouseClick(dlg.Control(nRadioId), Qt::LeftButton); }
    void Read() { QTest::mouseClick(dlg.Control(IDC_READ), Qt::LeftButton); }
    void Write() { QTest::mouseClick(dlg.Control(IDOK), Qt::LeftButton); }
    QStringList Wire() const { return Printable(sim.WireLines()); }
};

void SetValue(const CTessorDeployToolDlg& dlg, int nControlId, const QString& value)
{
    if (nControlId == IDC_IPADDRESS) {
        FillIpFields(*IpControl(dlg), value);
    } else if (QComboBox* combo = Combo(dlg, nControlId)) {
        combo->setEditText(value);
    } else {
        Edit(dlg, nControlId)->setText(value);
    }
}

}  // namespace

class OperationsTest : public QObject {
    Q_OBJECT
private slots:
    void runsOperation_data();
    void runsOperation();
    void copiesReadMacBackWithoutLineEnd();
    void sendsBareKeywordForBlankIpAfterEarlierAddress();
    void sendsAndShowsGbkText();
    void failsOnPortThatCannotBeOpened();
    void extractsMacFromReply_data();
    void extractsMacFromReply();

private:
    ScopedRuntimeDir m_runtimeDir;
};

void OperationsTest::runsOperation_data()
{
    QTest::addColumn<int>("radioId");
    QTest::addColumn<bool>("read");
    QTest::addColumn<QString>("port");  // %1: the simulator's port number; null: as picked
    QTest::addColumn<int>("valueId");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("answer");  // to a Yes/No box
    QTest::addColumn<QStringList>("expectedBoxes");
    QTest::addColumn<QStringList>("expectedList");
    QTest::addColumn<QStringList>("expectedWire");

    const QString picked;
    const QStringList none;
    QTest::newRow("product type write")
        << IDC_RADIO_PRODUCT_TYPE << false << picked << IDC_COMBO_PRODUCT_TYPE << "Marlin 3200" << 0
        << none << QStringList{kResult, "QZ_DEVTYPE A\r\n"}
        << QStringList{"QZ_DEVTYPE Marlin 3200\\r\\n"};
    QTest::newRow("product type read ignores the typed value")
        << IDC_RADIO_PRODUCT_TYPE << true << picked << IDC_COMBO_PRODUCT_TYPE << "vTrack" << 0
        << none << QStringList{kResult, "QZ_DEVTYPE A vEdge\r\n"}
        << QStringList{"QZ_DEVTYPE\\r\\n"};
    QTest::newRow("product type write, empty value sends the keyword")
        << IDC_RADIO_PRODUCT_TYPE << false << picked << IDC_COMBO_PRODUCT_TYPE << "" << 0 << none
        << QStringList{kResult, "QZ_DEVTYPE A vEdge\r\n"} << QStringList{"QZ_DEVTYPE\\r\\n"};
    QTest::newRow("MAC write after the access step")
        << IDC_RADIO_MAC << false << picked << IDC_EDIT_MAC << "02:5A:C1:01:02:03" << 0 << none
        << QStringList{kResult, "XP3301 A\r\n"}
        << QStringList{"XP0000 0958\\r\\n", "XP3301 \"02:5A:C1:01:02:03\"\\r\\n"};
    QTest::newRow("MAC read")
        << IDC_RADIO_MAC << true << picked << IDC_EDIT_MAC << "" << 0 << none
        << QStringList{kResult, "XP3301 A \"02:5A:C1:00:00:01\"\r\n"}
        << QStringList{"XP0000 0958\\r\\n", "XP3301\\r\\n"};
    QTest::newRow("IP write")
        << IDC_RADIO_IP << false << picked << IDC_IPADDRESS << "192.168.1.20" << 0 << none
        << QStringList{kResult, "QZ_SETIP A\r\n"} << QStringList{"QZ_SETIP 192.168.1.20\\r\\n"};
    QTest::newRow("IP write, empty fields read as 0")
        << IDC_RADIO_IP << false << picked << IDC_IPADDRESS << "10..5." << 0 << none
        << QStringList{kResult, "QZ_SETIP A\r\n"} << QStringList{"QZ_SETIP 10.0.5.0\\r\\n"};
    QTest::newRow("IP read refused")
        << IDC_RADIO_IP << true << picked << IDC_IPADDRESS << "192.168.1.20" << 0
        << QStringList{"读取不支持."} << QStringList{kResult, ""} << QStringList{};
    QTest::newRow("AD EEPROM write, Yes")
        << IDC_RADIO_CLEAR_AD_EEPROM << false << picked << 0 << "" << IDYES << QStringList{kRisky}
        << QStringList{kResult, "QZ_EEP A\r\n"} << QStringList{"QZ_EEP 43\\r\\n"};
    QTest::newRow("AD EEPROM write, No")
        << IDC_RADIO_CLEAR_AD_EEPROM << false << picked << 0 << "" << IDNO << QStringList{kRisky}
        << QStringList{kFailure} << QStringList{};
    QTest::newRow("AD EEPROM read asks too, Yes")
        << IDC_RADIO_CLEAR_AD_EEPROM << true << picked << 0 << "" << IDYES << QStringList{kRisky}
        << QStringList{kResult, "QZ_EEP A\r\n"} << QStringList{"QZ_EEP\\r\\n"};
    QTest::newRow("main EEPROM write, Yes")
        << IDC_RADIO_CLEAR_MAIN_EEPROM << false << picked << 0 << "" << IDYES << QStringList{kRisky}
        << QStringList{kResult, "XP0701 A\r\n"} << QStringList{"XP0000 0958\\r\\n", "XP0701\\r\\n"};
    QTest::newRow("main EEPROM read asks too, Yes")
        << IDC_RADIO_CLEAR_MAIN_EEPROM << true << picked << 0 << "" << IDYES << QStringList{kRisky}
        << QStringList{kResult, "XP0701 A\r\n"} << QStringList{"XP0000 0958\\r\\n", "XP0701\\r\\n"};
    QTest::newRow("main EEPROM read, No")
        << IDC_RADIO_CLEAR_MAIN_EEPROM << true << picked << 0 << "" << IDNO << QStringList{kRisky}
        << QStringList{kFailure} << QStringList{};
    QTest::newRow("empty port: only the box, the list left empty")
        << IDC_RADIO_PRODUCT_TYPE << false << "" << IDC_COMBO_PRODUCT_TYPE << "vEdge" << 0
        << QStringList{"请选择一个串口."} << QStringList{} << QStringList{};
    QTest::newRow("port typed by hand with a leading blank")
        << IDC_RADIO_PRODUCT_TYPE << false << " %1" << IDC_COMBO_PRODUCT_TYPE << "vRover" << 0
        << none << QStringList{kResult, "QZ_DEVTYPE A\r\n"} << QStringList{"QZ_DEVTYPE vRover\\r\\n"};
    QTest::newRow("emoji in the MAC field refused before sending")
        << IDC_RADIO_MAC << false << picked << IDC_EDIT_MAC << "02:5A:C1:01:02:\U0001F600" << 0
        << QStringList{"“MAC地址”中有无法用GBK编码发送的字符，未发送."} << QStringList{kFailure}
        << QStringList{};
    QTest::newRow("emoji in the product type refused before sending")
        << IDC_RADIO_PRODUCT_TYPE << false << picked << IDC_COMBO_PRODUCT_TYPE << "v\U0001F600" << 0
        << QStringList{"“产品类型”中有无法用GBK编码发送的字符，未发送."} << QStringList{kFailure}
        << QStringList{};
}

void OperationsTest::runsOperation()
{
    QFETCH(int, radioId);
    QFETCH(bool, read);
    QFETCH(QString, port);
    QFETCH(int, valueId);
    QFETCH(QString, value);
    QFETCH(int, answer);
    QFETCH(QStringList, expectedBoxes);
    QFETCH(QStringList, expectedList);
    QFETCH(QStringList, expectedWire);

    Bench bench;
    if (!port.isNull()) Combo(bench.dlg, IDC_COMBO_PORT)->setEditText(port.arg(bench.sim.ComNumber()));
    bench.Choose(radioId);
    if (valueId != 0) SetValue(bench.dlg, valueId, value);
    if (answer != 0) bench.boxes.Answer(answer);

    read ? bench.Read() : bench.Write();

    QCOMPARE(bench.boxes.Texts(), expectedBoxes);
    for (const SShownBox& box : bench.boxes.Shown()) {
        const UINT expectedType =
            box.text == kRisky ? MB_YESNO | MB_ICONQUESTION : MB_OK | MB_ICONEXCLAMATION;
        QCOMPARE(box.type, expectedType);
    }
    QCOMPARE(ListLines(bench.dlg), expectedList);
    QCOMPARE(bench.Wire(), expectedWire);
    QVERIFY(bench.dlg.isVisible());
}

void OperationsTest::copiesReadMacBackWithoutLineEnd()
{
    Bench bench;
    bench.Choose(IDC_RADIO_MAC);
    bench.Read();
    // The reply ends in CR LF; the field gets the bare address.
    QCOMPARE(Edit(bench.dlg, IDC_EDIT_MAC)->text(), QStringLiteral("02:5A:C1:00:00:01"));

    // Written straight back, the address arrives intact.
    bench.Write();
    QCOMPARE(bench.Wire().last(), QStringLiteral("XP3301 \"02:5A:C1:00:00:01\"\\r\\n"));
    QCOMPARE(ListLines(bench.dlg), QStringList({kResult, "XP3301 A\r\n"}));
}

void OperationsTest::sendsBareKeywordForBlankIpAfterEarlierAddress()
{
    Bench bench;
    bench.Choose(IDC_RADIO_IP);
    FillIpFields(*IpControl(bench.dlg), QStringLiteral("192.168.1.20"));
    bench.Write();
    IpControl(bench.dlg)->ClearAddress();
    bench.Write();
    // The blank control must not resend the earlier address.
    QCOMPARE(bench.Wire(),
             QStringList({"QZ_SETIP 192.168.1.20\\r\\n", "QZ_SETIP\\r\\n"}));
    QCOMPARE(ListLines(bench.dlg), QStringList({kResult, "QZ_SETIP E\r\n"}));
}

void OperationsTest::sendsAndShowsGbkText()
{
    Bench bench;
    SetValue(bench.dlg, IDC_COMBO_PRODUCT_TYPE, QStringLiteral("电子秤"));
    bench.Write();
    bench.Read();
    // 电子秤 in code page 936 is B5E7 D7D3 B3D3.
    QCOMPARE(bench.Wire(), QStringList({"QZ_DEVTYPE \\xb5\\xe7\\xd7\\xd3\\xb3\\xd3\\r\\n",
                                        "QZ_DEVTYPE\\r\\n"}));
    QCOMPARE(ListLines(bench.dlg), QStringList({kResult, "QZ_DEVTYPE A 电子秤\r\n"}));
}

void OperationsTest::failsOnPortThatCannotBeOpened()
{
    Bench bench;
    // Outside the fixed port table and without a port link: no such port.
    Combo(bench.dlg, IDC_COMBO_PORT)->setEditText(QStringLiteral("4321"));
    SetValue(bench.dlg, IDC_COMBO_PRODUCT_TYPE, QStringLiteral("vEdge"));
    bench.Write();
    QCOMPARE(ListLines(bench.dlg), QStringList({kFailure}));
    QVERIFY(bench.boxes.Shown().empty());
    QVERIFY(bench.sim.WireLines().empty());
}

void OperationsTest::extractsMacFromReply_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QString>("mac");  // null: nothing copied
    QTest::newRow("quoted address with line end") << "XP3301 A \"02:5A:C1:0A:0B:0C\"\r\n"
                                                  << "02:5A:C1:0A:0B:0C";
    QTest::newRow("key twice: cut at the first, every quote removed")
        << "XP3301 A \"AA\" XP3301 A \"B\"B\"" << "AA XP3301 A BB";
    QTest::newRow("text after the value kept, line ends dropped") << "XP3301 A \"1:2\" ok\r\nmore"
                                                                  << "1:2 okmore";
    QTest::newRow("refusal lacks the key") << "XP3301 E\r\n" << QString();
    QTest::newRow("empty reply") << "" << QString();
}

void OperationsTest::extractsMacFromReply()
{
    QFETCH(QString, reply);
    QFETCH(QString, mac);
    const std::optional<std::string> found = dlglogic::MacFromReply(reply.toStdString());
    QCOMPARE(found.has_value(), !mac.isNull());
    if (found) QCOMPARE(QString::fromStdString(*found), mac);
}

QTEST_MAIN(OperationsTest)
#include "OperationsTest.moc"
