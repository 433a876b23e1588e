// speak43's reading of sound files on arbitrary bytes: a file is played or
// refused with a reason, never both; only rates and channel counts within the
// accepted ones are played; the output never exceeds what the frames the
// header promises make at the output rate.
#include <sndfile.h>

#include "FuzzSupport.h"
#include "speak/SoundFile.h"

using namespace qvx::speak;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr int kRate = 22050;
    const std::string& folder = qvx::fuzz::PrivateFolder();
    qvx::fuzz::WriteBytes(folder + "/sound.wav", qvx::fuzz::AsText(data, size));

    std::size_t made = 0;
    const SampleSink count = [&made](std::span<const std::int16_t> samples) {
        QVX_FUZZ_CHECK(!samples.empty());
        made += samples.size();
        return true;
    };
    qvx::FolderFiles sounds(folder);
    const qvx::Result<void> result = StreamSoundFile(sounds, "SOUND.wav", kRate, count);

    SF_INFO info{};
    SNDFILE* file = sf_open((folder + "/sound.wav").c_str(), SFM_READ, &info);
    if (file) sf_close(file);
    const bool acceptable = file && info.samplerate >= kLowestSoundRate &&
                            info.samplerate <= kHighestSoundRate && info.channels >= 1 &&
                            info.channels <= kMostSoundChannels;
    QVX_FUZZ_CHECK(acceptable || (!result && made == 0));
    QVX_FUZZ_CHECK(!acceptable ||
                   double(made) <= double(info.frames) * kRate / info.samplerate + 1);
    return 0;
}
