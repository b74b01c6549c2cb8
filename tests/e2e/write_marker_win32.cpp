// write_marker PATH: creates PATH, so a test can see that a configured program ran.
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    std::FILE* file = std::fopen(argv[1], "wb");
    if (file == nullptr) {
        return 1;
    }
    std::fputs("ran\r\n", file);
    return std::fclose(file) == 0 ? 0 : 1;
}
