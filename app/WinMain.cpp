// The program's entry point.
#include <windows.h>

#include "app/Application.h"
#include "core/ProgramFolder.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    Application application(programFolder());
    return application.run();
}
