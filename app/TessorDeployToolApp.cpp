#include "TessorDeployToolApp.h"

#include <QApplication>
#include <QFileInfo>

#include "AboutDlg.h"
#include "AppIcon.h"
#include "TessorDeployToolDlg.h"

int CTessorDeployToolApp::Run(int& argc, char** argv)
{
    QApplication application(argc, argv);
    // Every message box carries the executable's name without folder and
    // extension, so a renamed program shows its new name.
    QCoreApplication::setApplicationName(QFileInfo(QString::fromLocal8Bit(argv[0])).completeBaseName());
    QCoreApplication::setApplicationVersion(QStringLiteral(VADIRE_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("vadire"));
    QApplication::setWindowIcon(LoadAppIcon());
    InitInstance();
    return 0;
}

BOOL CTessorDeployToolApp::InitInstance()
{
    SDialogSeams seams;
    seams.aboutBox = &RunAboutBox;
    CTessorDeployToolDlg dlg(std::move(seams));
    dlg.exec();  // ends only through cancel; the result is of no interest
    return FALSE;
}
