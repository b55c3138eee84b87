// snipindex: the maker's tool that signs the list of sniplets snipfetch reads.
//
//   snipindex keygen KEYFILE
//   snipindex publish FOLDER --key KEYFILE [--days N]
//   snipindex verify FOLDER --key <base64>
#include "snipindex/commands.h"

#include <ctime>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

int usage() {
    std::cerr << "usage: snipindex keygen KEYFILE\n"
                 "       snipindex publish FOLDER --key KEYFILE [--days N]\n"
                 "       snipindex verify FOLDER --key <base64>\n";
    return 2;
}

// 1 to 3650 days, in decimal.
int daysOf(std::string_view text) {
    if (text.empty() || text.size() > 4 || text.front() == '0') {
        return 0;
    }
    int days = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return 0;
        }
        days = days * 10 + (c - '0');
    }
    return days <= 3650 ? days : 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const auto now = static_cast<std::int64_t>(std::time(nullptr));
    if (args.size() == 2 && args[0] == "keygen") {
        return snipindex::keygen(std::string(args[1]), std::cout, std::cerr);
    }
    if ((args.size() == 4 || args.size() == 6) && args[0] == "publish" && args[2] == "--key") {
        int days = 30;
        if (args.size() == 6) {
            days = args[4] == "--days" ? daysOf(args[5]) : 0;
            if (days == 0) {
                std::cerr << "--days takes a whole number of days from 1 to 3650.\n";
                return 2;
            }
        }
        return snipindex::publish(std::string(args[1]), std::string(args[3]), days, now, std::cout,
                                  std::cerr);
    }
    if (args.size() == 4 && args[0] == "verify" && args[2] == "--key") {
        return snipindex::verify(std::string(args[1]), std::string(args[3]), now, std::cout,
                                 std::cerr);
    }
    return usage();
}
