// Writes the default body pictures and masks into the directory given.
#include <cstdio>

#include "resources/pictures.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIRECTORY\n", argv[0]);
        return 2;
    }
    if (!velkaro::pictures::WriteAll(argv[1])) {
        std::fprintf(stderr, "%s: cannot write the pictures into %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
