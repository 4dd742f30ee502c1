#include "TessorDeployToolApp.h"

// The one application object, constructed before main runs.
CTessorDeployToolApp theApp;

int main(int argc, char** argv) { return theApp.Run(argc, argv); }
