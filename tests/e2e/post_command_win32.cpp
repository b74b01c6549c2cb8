// post_command CLASS TITLE ID: sends a menu command to a program's main window,
// so scripts can end a program through its own Exit command.
#include <cstdio>
#include <cstdlib>

#include <windows.h>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: post_command CLASS TITLE ID\n");
        return 2;
    }
    HWND window = FindWindowA(argv[1], argv[2]);
    if (window == nullptr) {
        std::fprintf(stderr, "post_command: no window \"%s\" of class %s\n", argv[2], argv[1]);
        return 1;
    }
    PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(std::atoi(argv[3])), 0);
    return 0;
}
