// vormid-cli: evaluates, inspects and converts model files without a window.
#include <iostream>
#include <string>
#include <vector>

#include "cli/Tool.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + 1, argv + argc);
    const int status = vormid::cli::RunTool(args, std::cout, std::cerr);
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "vormid-cli: стандартният изход не може да се запише\n";
        return 3;
    }
    return status;
}
