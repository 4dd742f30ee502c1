// The dialog at the keyboard: the tab order, Enter running a Write wherever
// the focus is but on "读取", Escape ending the dialog, and the keys of the
// IP-address control.
#include <QtTest>

#include "DialogTestKit.h"
#include "SimulatorProcess.h"
#include "TempDir.h"

class KeyboardTest : public QObject {
    Q_OBJECT
private slots:
    void tabsThroughEnabledControlsInTemplateOrder();
    void enterRunsWriteAndKeepsDialogOpen_data();
    void enterRunsWriteAndKeepsDialogOpen();
    void escapeEndsDialog_data();
    void escapeEndsDialog();
    void typesIpAddress_data();
    void typesIpAddress();

private:
    ScopedRuntimeDir m_runtimeDir;
};

namespace {

QWidget* ShowActive(CTessorDeployToolDlg& dlg)
{
    dlg.show();
    dlg.activateWindow();
    if (!QTest::qWaitForWindowActive(&dlg)) return nullptr;
    return &dlg;
}

}  // namespace

void KeyboardTest::tabsThroughEnabledControlsInTemplateOrder()
{
    CTessorDeployToolDlg dlg({.portSource = [](SerInfoArray&) {}, .messageBox = {}, .aboutBox = {}});
    QVERIFY(ShowActive(dlg));
    QStringList visited{FocusedControlName(QApplication::focusWidget())};
    for (int i = 0; i < 7; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << FocusedControlName(QApplication::focusWidget());
    }
    QCOMPARE(visited, QStringList({"IDC_COMBO_PORT", "IDC_READ", "IDOK", "IDC_COMBO_PRODUCT_TYPE",
                                   "IDC_EDIT_MAC", "IDC_IPADDRESS", "IDC_LIST_RESULT",
                                   "IDC_COMBO_PORT"}));
}

void KeyboardTest::enterRunsWriteAndKeepsDialogOpen_data()
{
    QTest::addColumn<int>("focusId");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("expectedLine");
    const QString write = QStringLiteral("QZ_DEVTYPE vTrack\\r\\n");
    QTest::newRow("Enter in the port list") << IDC_COMBO_PORT << int(Qt::Key_Return) << write;
    QTest::newRow("Enter in the product list") << IDC_COMBO_PRODUCT_TYPE << int(Qt::Key_Return) << write;
    QTest::newRow("Enter in the MAC edit") << IDC_EDIT_MAC << int(Qt::Key_Return) << write;
    QTest::newRow("keypad Enter in the MAC edit") << IDC_EDIT_MAC << int(Qt::Key_Enter) << write;
    QTest::newRow("Enter in the IP control") << IDC_IPADDRESS << int(Qt::Key_Return) << write;
    QTest::newRow("Enter in the result list") << IDC_LIST_RESULT << int(Qt::Key_Return) << write;
    QTest::newRow("Enter on a radio button") << IDC_RADIO_PRODUCT_TYPE << int(Qt::Key_Return) << write;
    QTest::newRow("Enter on 写入") << IDOK << int(Qt::Key_Return) << write;
    QTest::newRow("Enter on 读取 reads") << IDC_READ << int(Qt::Key_Return)
                                         << QStringLiteral("QZ_DEVTYPE\\r\\n");
}

void KeyboardTest::enterRunsWriteAndKeepsDialogOpen()
{
    QFETCH(int, focusId);
    QFETCH(int, key);
    QFETCH(QString, expectedLine);

    SimulatorProcess sim;
    CTessorDeployToolDlg dlg({.portSource = {}, .messageBox = MessageBoxScript().Seam(), .aboutBox = {}});
    QVERIFY(ShowActive(dlg));
    Combo(dlg, IDC_COMBO_PORT)->setEditText(QString::number(sim.ComNumber()));
    Combo(dlg, IDC_COMBO_PRODUCT_TYPE)->setEditText(QStringLiteral("vTrack"));
    dlg.Control(focusId)->setFocus(Qt::TabFocusReason);
    QWidget* focused = QApplication::focusWidget();
    QCOMPARE(FocusedControlName(focused), dlg.Control(focusId)->objectName());

    QTest::keyClick(focused, Qt::Key(key));

    QCOMPARE(Printable(sim.WireLines()), QStringList{expectedLine});
    QVERIFY(dlg.isVisible());
    QCOMPARE(Combo(dlg, IDC_COMBO_PORT)->count(), ComboEntries(dlg, IDC_COMBO_PORT).size());
    QCOMPARE(ComboEntries(dlg, IDC_COMBO_PRODUCT_TYPE).size(), 8);  // Enter added no entry
}

void KeyboardTest::escapeEndsDialog_data()
{
    QTest::addColumn<int>("focusId");
    QTest::newRow("Escape in the port list") << IDC_COMBO_PORT;
    QTest::newRow("Escape in the MAC edit") << IDC_EDIT_MAC;
    QTest::newRow("Escape on 读取") << IDC_READ;
}

void KeyboardTest::escapeEndsDialog()
{
    QFETCH(int, focusId);
    CTessorDeployToolDlg dlg({.portSource = [](SerInfoArray&) {}, .messageBox = {}, .aboutBox = {}});
    QVERIFY(ShowActive(dlg));
    dlg.Control(focusId)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
}

void KeyboardTest::typesIpAddress_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("dots move on") << "192.168.1.20" << QStringList{"192", "168", "1", "20"};
    QTest::newRow("full fields move on") << "10203040" << QStringList{"102", "030", "40", ""};
    QTest::newRow("above 255 becomes 255") << "300.7" << QStringList{"255", "7", "", ""};
    QTest::newRow("dot in an empty field stays") << ".5" << QStringList{"5", "", "", ""};
    QTest::newRow("letters ignored") << "1a2" << QStringList{"12", "", "", ""};
}

void KeyboardTest::typesIpAddress()
{
    QFETCH(QString, keys);
    QFETCH(QStringList, fields);
    CTessorDeployToolDlg dlg({.portSource = [](SerInfoArray&) {}, .messageBox = {}, .aboutBox = {}});
    QVERIFY(ShowActive(dlg));
    CIpAddressCtrl* ip = IpControl(dlg);
    ip->setFocus(Qt::TabFocusReason);
    for (const QChar c : keys) QTest::keyClicks(QApplication::focusWidget(), QString(c));
    QStringList typed;
    for (int i = 0; i < 4; ++i) typed << ip->Field(i)->text();
    QCOMPARE(typed, fields);
}

QTEST_MAIN(KeyboardTest)
#include "KeyboardTest.moc"
