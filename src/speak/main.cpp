#include <iostream>
#include <string_view>
#include <vector>

#include "speak/PulseSink.h"
#include "speak/SpeakProgram.h"

int main(int argc, char** argv) {
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    const qvx::speak::DeviceOpener openDevice = [](int sampleRate, std::string& error) {
        return std::unique_ptr<qvx::speak::AudioSink>(
            qvx::speak::PulseSink::Open(sampleRate, error));
    };
    return qvx::speak::RunSpeak(qvx::speak::ParseArguments(arguments), openDevice, std::cout,
                                std::cerr);
}
