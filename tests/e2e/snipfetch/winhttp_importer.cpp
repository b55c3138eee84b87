// A program with WinHTTP in its import table, as snipfetch once was: the control
// that shows a planted winhttp.dll would be loaded. It never calls WinHTTP: a
// planted DLL without the function would crash it.
#include <windows.h>
#include <winhttp.h>

int main(int argc, char**) {
    return argc > 1 && WinHttpCheckPlatform() ? 1 : 0;
}
