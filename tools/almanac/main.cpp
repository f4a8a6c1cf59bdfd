// velkaro-almanac: rise, culmination and set tables from the command line.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

#include "editor/stock_file.h"
#include "platform/codepage.h"
#include "tools/almanac/command.h"

namespace {

// The library --city reads unless told otherwise: the Sitarel.ini beside
// this program, where the build puts the starter library.
std::string LibraryBesideProgram(const char* argv0) {
    std::string self;
#ifndef _WIN32
    // argv[0] lacks the folder when the shell found the program on PATH.
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n > 0) self.assign(path, static_cast<size_t>(n));
#endif
    if (self.empty() && argv0) self = argv0;
    const size_t slash = self.find_last_of("/\\");
    return (slash == std::string::npos ? std::string() : self.substr(0, slash + 1)) +
           velkaro::ToUtf8(velkaro::kStockFileName);
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // CSV lines end in "\n" on every system.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::vector<std::string> args(argv + 1, argv + argc);
    const velkaro::AlmanacResult r = velkaro::RunAlmanac(args, LibraryBesideProgram(argc > 0 ? argv[0] : nullptr));
    std::fwrite(r.out.data(), 1, r.out.size(), stdout);
    std::fputs(r.err.c_str(), stderr);
    return r.exitCode;
}
