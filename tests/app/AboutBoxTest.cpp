// The About entry of the main dialog opens the About box centred over it;
// every way of closing the box returns to the dialog unchanged.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <functional>

#include "AboutDlg.h"
#include "DialogPlatform.h"
#include "Resource.h"
#include "TempDir.h"
#include "TessorDeployToolDlg.h"

namespace {

// Runs check on the modal box once it is up (the trigger below blocks in
// the box's modal loop until the box closes).
void WhenModalBoxIsUp(std::function<void(CAboutDlg&)> check, int nTriesLeft = 100)
{
    QTimer::singleShot(10, [check = std::move(check), nTriesLeft]() mutable {
        auto* box = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
        if (box != nullptr && box->isVisible()) {
            check(*box);
        } else if (nTriesLeft > 0) {
            WhenModalBoxIsUp(std::move(check), nTriesLeft - 1);
        }
    });
}

}  // namespace

class AboutBoxTest : public QObject {
    Q_OBJECT
private slots:
    void opensCentredAndClosesBackToDialog_data();
    void opensCentredAndClosesBackToDialog();

private:
    ScopedRuntimeDir m_runtimeDir;
};

void AboutBoxTest::opensCentredAndClosesBackToDialog_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("result");
    QTest::newRow("OK button") << "ok" << int(QDialog::Accepted);
    QTest::newRow("Enter") << "enter" << int(QDialog::Accepted);
    QTest::newRow("Escape") << "escape" << int(QDialog::Rejected);
    QTest::newRow("close button") << "close" << int(QDialog::Rejected);
}

void AboutBoxTest::opensCentredAndClosesBackToDialog()
{
    QFETCH(QString, how);
    QFETCH(int, result);

    CTessorDeployToolDlg dlg({.portSource = [](SerInfoArray&) {}, .messageBox = {},
                              .aboutBox = &RunAboutBox});
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    auto* mac = qobject_cast<QLineEdit*>(dlg.Control(IDC_EDIT_MAC));
    mac->setText(QStringLiteral("02:5A:C1:01:02:03"));

    auto* about = dlg.findChild<QAction*>(QStringLiteral("IDM_ABOUTBOX"));
    QVERIFY(about != nullptr);
    QCOMPARE(about->text(), QStringLiteral("关于 TessorDeployTool(&A)..."));
    QVERIFY(dlg.actions().contains(about));
    QCOMPARE(dlg.contextMenuPolicy(), Qt::ActionsContextMenu);

    bool bSeen = false;
    QPoint aboutCentre;
    QString caption, text;
    int nResult = -1;
    WhenModalBoxIsUp([&](CAboutDlg& box) {
        bSeen = true;
        aboutCentre = box.frameGeometry().center();
        caption = box.windowTitle();
        text = qobject_cast<QLabel*>(box.findChild<QLabel*>(QStringLiteral("IDC_STATIC")))->text();
        QObject::connect(&box, &QDialog::finished, [&](int r) { nResult = r; });
        if (how == "ok") QTest::mouseClick(box.Control(IDOK), Qt::LeftButton);
        if (how == "enter") QTest::keyClick(&box, Qt::Key_Return);
        if (how == "escape") QTest::keyClick(&box, Qt::Key_Escape);
        if (how == "close") box.close();
    });
    about->trigger();

    QVERIFY(bSeen);
    QCOMPARE(caption, QStringLiteral("关于 VA Dire"));
    QCOMPARE(text, QStringLiteral("VA Dire，1.0.2 版"));
    QCOMPARE(nResult, result);
    const QPoint offset = aboutCentre - dlg.frameGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 2, qPrintable(QStringLiteral("off centre by %1,%2")
                                                           .arg(offset.x())
                                                           .arg(offset.y())));
    QVERIFY(dlg.isVisible());
    QCOMPARE(mac->text(), QStringLiteral("02:5A:C1:01:02:03"));
}

QTEST_MAIN(AboutBoxTest)
#include "AboutBoxTest.moc"
