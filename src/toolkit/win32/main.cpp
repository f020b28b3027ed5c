// The Windows program: the Win32 toolkit and the Windows services around the portable core.
// runProgram ends the process through the toolkit's exit, which runs the exit clean-up.
#include <windows.h>

#include "app/program.h"
#include "toolkit/win32/win32_toolkit.h"
#include "toolkit/win32/windows_services.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    extdict::win32::WindowsServices services;
    extdict::win32::Win32Toolkit toolkit(instance);
    extdict::runProgram(toolkit, services);
}
