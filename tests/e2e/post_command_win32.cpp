// post_command CLASS TITLE COMMAND: sends a menu command (exit, config, graph or a
// number) to a program's main window, so scripts can end a program through its
// own Exit command.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <windows.h>

// Both programs' E&xit is the same command, so the two headers agree on it.
#include "resources/vizo_ids.h"
#include "resources/zorvel_ids.h"

namespace {

struct Named {
    const char* Name;
    int Id;
};
constexpr Named kCommands[] = {{"exit", IDM_EXIT}, {"config", IDM_CONFIG}, {"graph", IDM_GRAPH}};

int CommandId(const char* command) {
    for (const Named& named : kCommands) {
        if (std::strcmp(command, named.Name) == 0) {
            return named.Id;
        }
    }
    return std::atoi(command);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: post_command CLASS TITLE exit|config|graph|ID\n");
        return 2;
    }
    HWND window = FindWindowA(argv[1], argv[2]);
    if (window == nullptr) {
        std::fprintf(stderr, "post_command: no window \"%s\" of class %s\n", argv[2], argv[1]);
        return 1;
    }
    PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(CommandId(argv[3])), 0);
    return 0;
}
