// Entry point of Tressel.exe.
#include <windows.h>

#include "app/win32/ZornMouseApplicationApp.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    tressel::CZornMouseApplicationApp application;
    application.Run();  // ends the process
}
