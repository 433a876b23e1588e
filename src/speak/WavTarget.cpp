#include "speak/WavTarget.h"

#include <sys/stat.h>

#include "common/PrintableText.h"

namespace qvx::speak {

std::string WavTargetRefusal(const std::string& wav, const std::string& script) {
    struct stat target {};
    // A name that does not exist yet is free; any other failure is the
    // writer's to report.
    if (::stat(wav.c_str(), &target) != 0) return {};
    struct stat source {};
    const std::string shown = PrintableText(wav);
    if (::stat(script.c_str(), &source) == 0 && source.st_dev == target.st_dev &&
        source.st_ino == target.st_ino) {
        return "the WAV file " + shown + " is the script " + PrintableText(script) +
               " itself, which it would replace; give the WAV file another name";
    }
    if (S_ISFIFO(target.st_mode) || S_ISSOCK(target.st_mode) || S_ISCHR(target.st_mode)) {
        return "cannot write the WAV file " + shown +
               ": it is a pipe or a device, and a WAV file must go to a plain file (its header "
               "is completed when the sound is done); write one and copy it, as in "
               "\"speak43 --wav out.wav && cat out.wav\"";
    }
    return {};
}

}  // namespace qvx::speak
