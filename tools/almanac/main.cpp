// velkaro-almanac: rise, culmination and set tables from the command line.
#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "tools/almanac/command.h"

int main(int argc, char** argv) {
#ifdef _WIN32
    // CSV lines end in "\n" on every system.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::vector<std::string> args(argv + 1, argv + argc);
    const velkaro::AlmanacResult r = velkaro::RunAlmanac(args);
    std::fwrite(r.out.data(), 1, r.out.size(), stdout);
    std::fputs(r.err.c_str(), stderr);
    return r.exitCode;
}
