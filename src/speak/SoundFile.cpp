#include "speak/SoundFile.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "common/FileAccess.h"

namespace qvx::speak {
namespace {

// Frames read at a time.
constexpr std::size_t kBlockFrames = 4096;

// A sound file open for libsndfile, which reads through the descriptor but
// leaves closing it to the handle.
struct SoundFile {
    FileHandle handle;
    std::unique_ptr<SNDFILE, int (*)(SNDFILE*)> sound{nullptr, sf_close};
    SF_INFO info{};
};

// A failure when the file cannot be read or is not accepted.
Result<void> OpenSound(FolderFiles& folder, std::string_view name, SoundFile& file) {
    // Without a match the name as written is opened for the reason it fails:
    // missing, a folder, a FIFO (refused without waiting on it).
    const std::optional<std::string> found = folder.Find(name);
    Result<FileHandle> opened =
        OpenForReading(found.value_or(folder.folder() + "/" + std::string(name)));
    if (!opened) return Fail(opened.error());
    file.handle = std::move(*opened);
    file.sound.reset(sf_open_fd(file.handle.get(), SFM_READ, &file.info, SF_FALSE));
    const SF_INFO& info = file.info;
    if (!file.sound) {
        return Fail(std::string("it is not a sound file that can be read (") +
                    sf_strerror(nullptr) + ")");
    }
    if (info.samplerate < kLowestSoundRate || info.samplerate > kHighestSoundRate) {
        return Fail("its sample rate of " + std::to_string(info.samplerate) + " Hz is outside " +
                    std::to_string(kLowestSoundRate) + ".." + std::to_string(kHighestSoundRate) +
                    " Hz");
    }
    if (info.channels < 1 || info.channels > kMostSoundChannels) {
        return Fail("it has " + std::to_string(info.channels) + " channels; at most " +
                    std::to_string(kMostSoundChannels) + " are played");
    }
    return {};
}

}  // namespace

void MixToMono(std::span<const float> interleaved, int channels, std::vector<float>& mono) {
    const auto width = static_cast<std::size_t>(channels);
    for (std::size_t frame = 0; frame + width <= interleaved.size(); frame += width) {
        float sum = 0;
        for (std::size_t c = 0; c < width; ++c) sum += interleaved[frame + c];
        mono.push_back(sum / static_cast<float>(width));
    }
}

void RateConverter::Push(std::span<const float> input, std::vector<float>& output) {
    if (input.empty()) return;
    if (from_ == to_) {
        output.insert(output.end(), input.begin(), input.end());
    } else {
        const std::uint64_t total = seen_ + input.size();
        // Output n lies at input position n * from / to; it needs the samples
        // on both sides of that position, the one before this block included.
        auto at = [&](std::uint64_t index) { return index < seen_ ? last_ : input[index - seen_]; };
        for (;; ++next_) {
            const std::uint64_t left = next_ * from_ / to_;
            if (left + 1 >= total) break;
            const double fraction = double(next_ * from_ % to_) / double(to_);
            output.push_back(
                static_cast<float>(at(left) * (1 - fraction) + at(left + 1) * fraction));
        }
    }
    seen_ += input.size();
    last_ = input.back();
}

void RateConverter::Finish(std::vector<float>& output) {
    // The last input sample itself, when an output falls exactly on it.
    if (from_ != to_ && seen_ > 0 && next_ * from_ == (seen_ - 1) * to_) {
        output.push_back(last_);
        ++next_;
    }
}

void ToPcm16(std::span<const float> samples, std::vector<std::int16_t>& pcm) {
    for (float s : samples) {
        pcm.push_back(static_cast<std::int16_t>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767)));
    }
}

Result<void> StreamSoundFile(FolderFiles& folder, std::string_view name, int sampleRate,
                             const SampleSink& sink) {
    SoundFile file;
    if (Result<void> opened = OpenSound(folder, name, file); !opened) return opened;
    const SF_INFO& info = file.info;
    RateConverter converter(info.samplerate, sampleRate);
    std::vector<float> block(kBlockFrames * static_cast<std::size_t>(info.channels));
    std::vector<float> mono, converted;
    std::vector<std::int16_t> pcm;
    for (bool end = false; !end;) {
        const sf_count_t frames =
            sf_readf_float(file.sound.get(), block.data(), static_cast<sf_count_t>(kBlockFrames));
        end = frames <= 0;
        mono.clear();
        converted.clear();
        pcm.clear();
        MixToMono(std::span(block).first(static_cast<std::size_t>(std::max<sf_count_t>(frames, 0)) *
                                         static_cast<std::size_t>(info.channels)),
                  info.channels, mono);
        converter.Push(mono, converted);
        if (end) converter.Finish(converted);
        ToPcm16(converted, pcm);
        if (!pcm.empty() && !sink(pcm)) return {};
    }
    if (sf_error(file.sound.get()) != SF_ERR_NO_ERROR) {
        return Fail(std::string("reading it failed: ") + sf_strerror(file.sound.get()));
    }
    return {};
}

}  // namespace qvx::speak
