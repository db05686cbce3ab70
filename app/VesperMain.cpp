// The program's one application object and its entry: the framework runs the object's instance
// initialisation, which is the whole program.
#include "start/VesperApp.h"

static s::system::vesper::CVesperApp theApp;

int main(int argc, char** argv) { return AfxWinMain(argc, argv); }
