#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "common/Result.h"
#include "speak/AudioSink.h"

namespace qvx::speak {

// Exit status of speak43.
enum class ExitCode : int {
    Ok = 0,
    Usage = 1,
    NoScript = 2,
    NoDevice = 3,
    CannotWrite = 4,
    NoEngine = 5,
};

struct SpeakArguments {
    std::string script = "demo.txt";
    std::optional<std::string> wav;
    bool help = false;
    bool version = false;
    std::string error;  // set when the command line is wrong
};

SpeakArguments ParseArguments(const std::vector<std::string_view>& arguments);

using DeviceOpener = std::function<Result<std::unique_ptr<AudioSink>>(int sampleRate)>;

// The whole program after its command line: reads the script (relative paths
// from the working folder, where the sound files lie too), renders it to the
// device or the wave file, and reports every problem as one line on `err`.
ExitCode RunSpeak(const SpeakArguments& arguments, const DeviceOpener& openDevice,
                  std::ostream& out, std::ostream& err);

}  // namespace qvx::speak
