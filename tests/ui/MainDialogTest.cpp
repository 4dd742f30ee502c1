// The main dialog as it opens: its controls and their content, the port
// list built from discovery, and the radio group's mapping to operations.
#include <QRadioButton>
#include <QStringEncoder>
#include <QtTest>

#include "DialogTestKit.h"
#include "RadioGroup.h"
#include "SimulatorProcess.h"
#include "TempDir.h"

namespace {

PortSource FixedPorts(const QStringList& displayNames)
{
    return [displayNames](SerInfoArray& ports) {
        ports.clear();
        for (const QString& name : displayNames) {
            SSerInfo info;
            // Display names come from the system in code page 936.
            info.m_strDisplayName = QByteArray(QStringEncoder("GBK").encode(name)).toStdString();
            ports.push_back(info);
        }
    };
}

}  // namespace

class MainDialogTest : public QObject {
    Q_OBJECT
private slots:
    void opensWithDefaults();
    void listsPortNumbers_data();
    void listsPortNumbers();
    void opensWhenDiscoveryFails();
    void mapsRadioButtonsToOperations_data();
    void mapsRadioButtonsToOperations();
    void keepsDisabledControlsOutOfReach();

private:
    ScopedRuntimeDir m_runtimeDir;
};

void MainDialogTest::opensWithDefaults()
{
    // Discovery on this machine, which now includes the simulator's port link.
    SimulatorProcess sim;
    MessageBoxScript boxes;
    CTessorDeployToolDlg dlg({.portSource = {}, .messageBox = boxes.Seam(), .aboutBox = {}});
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));

    QCOMPARE(dlg.windowTitle(), QStringLiteral("Orvane VADire(Build Date 2017-05-11)"));
    QCOMPARE(dlg.SelectedOperation(), 0);
    QVERIFY(qobject_cast<QRadioButton*>(dlg.Control(IDC_RADIO_PRODUCT_TYPE))->isChecked());
    QCOMPARE(ComboEntries(dlg, IDC_COMBO_PRODUCT_TYPE),
             QStringList({"vEdge", "Marlin 3200", "Marlin 3600", "vRover", "vTrack", "CrispDesk",
                          "Comet 2100", "Comet 2900"}));
    QCOMPARE(Combo(dlg, IDC_COMBO_PRODUCT_TYPE)->currentIndex(), -1);
    QCOMPARE(Combo(dlg, IDC_COMBO_PRODUCT_TYPE)->currentText(), QString());
    QCOMPARE(Edit(dlg, IDC_EDIT_MAC)->text(), QStringLiteral("02:5A:C1:::"));
    QVERIFY(IpControl(dlg)->IsBlank());
    QCOMPARE(Edit(dlg, IDC_EDIT_USID)->text(), QString());
    QCOMPARE(ListLines(dlg), QStringList({"有些指令执行前需要按下标定开关.", "例如：MAC地址设置......"}));

    QVERIFY(ComboEntries(dlg, IDC_COMBO_PORT).contains(QString::number(sim.ComNumber())));
    QCOMPARE(Combo(dlg, IDC_COMBO_PORT)->currentIndex(), -1);
    QCOMPARE(Combo(dlg, IDC_COMBO_PORT)->currentText(), QString());
    QCOMPARE(FocusedControlName(QApplication::focusWidget()), QStringLiteral("IDC_COMBO_PORT"));
    QVERIFY(boxes.Shown().empty());

    // Fixed size, a minimise button and no maximise button.
    QCOMPARE(dlg.minimumSize(), dlg.maximumSize());
    QVERIFY(dlg.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!dlg.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
}

void MainDialogTest::listsPortNumbers_data()
{
    QTest::addColumn<QString>("displayName");
    QTest::addColumn<QString>("entry");
    QTest::newRow("friendly name ending in (COM3)") << "USB Serial Port (COM3)" << "3";
    QTest::newRow("bare COM12") << "COM12" << "12";
    QTest::newRow("(COM twice uses the first") << "Bridge (COM4) to (COM9)" << "4 to (COM9";
    QTest::newRow("every ) removed") << "Port (COM7) (rev 2)" << "7 (rev 2";
    QTest::newRow("lower-case (com3) does not match") << "Dev (com3)" << " (com3";
    QTest::newRow("three bytes give an empty entry") << "COM" << "";
    QTest::newRow("empty name gives an empty entry") << "" << "";
    QTest::newRow("Chinese friendly name") << "通讯端口 (COM5)" << "5";
}

void MainDialogTest::listsPortNumbers()
{
    QFETCH(QString, displayName);
    QFETCH(QString, entry);
    // Each name between two others, so the position is checked as well.
    CTessorDeployToolDlg dlg({.portSource = FixedPorts({"COM1", displayName, "X (COM2)"}),
                              .messageBox = MessageBoxScript().Seam(),
                              .aboutBox = {}});
    dlg.show();
    QCOMPARE(ComboEntries(dlg, IDC_COMBO_PORT), QStringList({"1", entry, "2"}));
    QCOMPARE(Combo(dlg, IDC_COMBO_PORT)->currentText(), QString());
}

void MainDialogTest::opensWhenDiscoveryFails()
{
    MessageBoxScript boxes;
    const PortSource failing = [](SerInfoArray& ports) {
        ports.push_back(SSerInfo{"\\\\.\\COM1", "COM1", "COM1", FALSE, ""});
        throw std::string("SetupDiGetClassDevs failed (err=5)");
    };
    CTessorDeployToolDlg dlg({.portSource = failing, .messageBox = boxes.Seam(), .aboutBox = {}});
    dlg.show();
    QVERIFY(dlg.isVisible());
    QCOMPARE(boxes.Texts(), QStringList({"SetupDiGetClassDevs failed (err=5)"}));
    QCOMPARE(boxes.Shown()[0].type, MB_OK | MB_ICONEXCLAMATION);
    QCOMPARE(Combo(dlg, IDC_COMBO_PORT)->count(), 0);
    QCOMPARE(ListLines(dlg).size(), 2);  // the hint lines: the rest of the opening goes on
}

void MainDialogTest::mapsRadioButtonsToOperations_data()
{
    QTest::addColumn<int>("radioId");
    QTest::addColumn<int>("operation");
    QTest::newRow("MAC地址 is 1") << IDC_RADIO_MAC << 1;
    QTest::newRow("IP地址 is 2") << IDC_RADIO_IP << 2;
    QTest::newRow("清除AD板EEPROM is 5") << IDC_RADIO_CLEAR_AD_EEPROM << 5;
    QTest::newRow("清除主板EEPROM is 7 though drawn above 6") << IDC_RADIO_CLEAR_MAIN_EEPROM << 7;
    QTest::newRow("产品类型 back to 0") << IDC_RADIO_PRODUCT_TYPE << 0;
}

void MainDialogTest::mapsRadioButtonsToOperations()
{
    QFETCH(int, radioId);
    QFETCH(int, operation);
    CTessorDeployToolDlg dlg({.portSource = FixedPorts({}), .messageBox = {}, .aboutBox = {}});
    dlg.show();
    // Start from another operation, so "back to 0" is a real change.
    QTest::mouseClick(dlg.Control(IDC_RADIO_IP), Qt::LeftButton);
    const QStringList hintLines = ListLines(dlg);

    QTest::mouseClick(dlg.Control(radioId), Qt::LeftButton);
    QCOMPARE(dlg.SelectedOperation(), operation);
    QCOMPARE(radiogroup::IndexOf(radioId), operation);
    // A click changes nothing else.
    QCOMPARE(ListLines(dlg), hintLines);
    QCOMPARE(Edit(dlg, IDC_EDIT_MAC)->text(), QStringLiteral("02:5A:C1:::"));
}

void MainDialogTest::keepsDisabledControlsOutOfReach()
{
    CTessorDeployToolDlg dlg({.portSource = FixedPorts({}), .messageBox = {}, .aboutBox = {}});
    dlg.show();
    for (const int nId : {IDC_RADIO_USID, IDC_RADIO_UCID, IDC_RADIO_UPGRADE_PRINTER, IDC_EDIT_USID,
                          IDC_EDIT_UCID}) {
        QVERIFY2(!dlg.Control(nId)->isEnabled(), qPrintable(dlg.Control(nId)->objectName()));
        QTest::mouseClick(dlg.Control(nId), Qt::LeftButton);
    }
    QCOMPARE(dlg.SelectedOperation(), 0);
    QTest::keyClicks(dlg.Control(IDC_EDIT_USID), QStringLiteral("X1"));
    QCOMPARE(Edit(dlg, IDC_EDIT_USID)->text(), QString());
}

QTEST_MAIN(MainDialogTest)
#include "MainDialogTest.moc"
