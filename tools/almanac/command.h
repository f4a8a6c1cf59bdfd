// The almanac command: rise, culmination and set tables, the records of one
// moment, and the Moon's age, as CSV. Kept apart from main() so that it can be
// exercised without a process.
#pragma once
#include <string>
#include <vector>

namespace velkaro {

struct AlmanacResult {
    std::string out;  // CSV on success
    std::string err;  // one line on failure
    int exitCode = 0;  // 0 success, 2 bad arguments
};

// args: the command line without the program name; library: the category file
// whose places --city knows besides the built-in cities, unless --library
// names another (empty: none).
AlmanacResult RunAlmanac(const std::vector<std::string>& args, const std::string& library = "");

}  // namespace velkaro
