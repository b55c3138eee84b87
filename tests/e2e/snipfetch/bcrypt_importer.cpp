// A program with bcrypt in its import table: the control that shows a planted
// bcrypt.dll would be loaded. It never calls bcrypt: a planted DLL without the
// function would crash it.
#include <windows.h>

#include <bcrypt.h>

int main(int argc, char**) {
    return argc > 1 && BCryptCloseAlgorithmProvider(nullptr, 0) == 0 ? 1 : 0;
}
