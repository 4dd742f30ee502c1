#include "TessorDeployToolApp.h"

// The one application object, constructed before WinMain runs.
CTessorDeployToolApp theApp;

// The tool takes no arguments and sets no exit status of its own.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    theApp.InitInstance();
    return 0;
}
