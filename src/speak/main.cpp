#include <csignal>
#include <iostream>
#include <string_view>
#include <vector>

#include "common/FileAccess.h"
#include "speak/PulseSink.h"
#include "speak/SpeakProgram.h"

int main(int argc, char** argv) {
    // An interrupted run leaves neither a half-written WAV file nor its voice
    // files behind (a file-size limit already fails the write instead); a
    // closed pipe on stderr is a failed write to handle, not a signal that
    // ends the program.
    qvx::RemoveTemporariesOnSignals();
    std::signal(SIGPIPE, SIG_IGN);
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    return static_cast<int>(qvx::speak::RunSpeak(
        qvx::speak::ParseArguments(arguments), qvx::speak::PulseSink::Open, std::cout, std::cerr));
}
