// Entry point of Tressel.exe (replaced by the application object once it exists).
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return 0; }
