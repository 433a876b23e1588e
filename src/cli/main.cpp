#include <iostream>
#include <string_view>
#include <vector>

#include "cli/CheckCommand.h"
#include "common/FileAccess.h"

int main(int argc, char** argv) {
    // Nothing here prints through C's stdio, so the streams need not wait on it.
    std::ios::sync_with_stdio(false);
    qvx::RemoveTemporariesOnSignals();
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    return static_cast<int>(qvx::RunCheckCommand(arguments, std::cout, std::cerr));
}
