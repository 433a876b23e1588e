#include "speak/SoundFile.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace qvx::speak {

std::vector<float> MixToMono(const std::vector<float>& interleaved, int channels) {
    if (channels <= 1) return interleaved;
    std::vector<float> mono(interleaved.size() / channels);
    for (std::size_t frame = 0; frame < mono.size(); ++frame) {
        float sum = 0;
        for (int c = 0; c < channels; ++c) sum += interleaved[frame * channels + c];
        mono[frame] = sum / channels;
    }
    return mono;
}

std::vector<float> Resample(const std::vector<float>& samples, int fromRate, int toRate) {
    if (fromRate == toRate || samples.empty()) return samples;
    const double step = double(fromRate) / toRate;
    const auto count = static_cast<std::size_t>(std::floor((samples.size() - 1) / step)) + 1;
    std::vector<float> out(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double position = i * step;
        const auto left = static_cast<std::size_t>(position);
        const std::size_t right = std::min(left + 1, samples.size() - 1);
        const double fraction = position - left;
        out[i] = static_cast<float>(samples[left] * (1 - fraction) + samples[right] * fraction);
    }
    return out;
}

std::vector<std::int16_t> ToPcm16(const std::vector<float>& samples) {
    std::vector<std::int16_t> pcm(samples.size());
    std::transform(samples.begin(), samples.end(), pcm.begin(), [](float s) {
        return static_cast<std::int16_t>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767));
    });
    return pcm;
}

LoadedSound LoadSoundFile(const std::string& path, int sampleRate) {
    SF_INFO info{};
    std::unique_ptr<SNDFILE, int (*)(SNDFILE*)> file(sf_open(path.c_str(), SFM_READ, &info),
                                                     sf_close);
    if (!file) return {{}, sf_strerror(nullptr)};
    if (info.channels <= 0 || info.samplerate <= 0) return {{}, "it holds no sound"};
    std::vector<float> interleaved(static_cast<std::size_t>(info.frames) * info.channels);
    const sf_count_t read = sf_readf_float(file.get(), interleaved.data(), info.frames);
    interleaved.resize(static_cast<std::size_t>(std::max<sf_count_t>(read, 0)) * info.channels);
    return {ToPcm16(Resample(MixToMono(interleaved, info.channels), info.samplerate, sampleRate)),
            {}};
}

}  // namespace qvx::speak
