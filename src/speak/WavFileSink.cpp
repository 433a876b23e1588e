#include "speak/WavFileSink.h"

#include <sndfile.h>

namespace qvx::speak {

Result<std::unique_ptr<AudioSink>> WavFileSink::Open(const std::string& path, int sampleRate,
                                                     std::uint64_t mostSamples) {
    Result<ReplacementFile> file = ReplacementFile::Create(path);
    if (!file) return Fail(file.error());
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    // The descriptor stays the replacement's: libsndfile must not close it.
    SNDFILE* sound = sf_open_fd(file->fd(), SFM_WRITE, &info, SF_FALSE);
    if (!sound) return Fail("cannot write " + path + ": " + sf_strerror(nullptr));
    return std::unique_ptr<AudioSink>(new WavFileSink(path, std::move(*file), sound, mostSamples));
}

WavFileSink::WavFileSink(std::string path, ReplacementFile file, sf_private_tag* sound,
                         std::uint64_t mostSamples)
    : path_(std::move(path)), file_(std::move(file)), sound_(sound), mostSamples_(mostSamples) {}

WavFileSink::~WavFileSink() {
    if (sound_) sf_close(sound_);
}

// Drops the unfinished file: the replacement removes its temporary.
Failure WavFileSink::Abandon(const std::string& why) {
    error_ = "cannot write " + path_ + ": " + why;
    if (sound_) sf_close(sound_);
    sound_ = nullptr;
    file_.reset();
    return Fail(error_);
}

Result<void> WavFileSink::Write(std::span<const std::int16_t> samples) {
    if (!sound_) return Fail(error_);
    if (samples.size() > mostSamples_ - written_) {
        return Abandon("the sound is longer than a WAV file can hold (4 GiB)");
    }
    const auto count = static_cast<sf_count_t>(samples.size());
    if (sf_write_short(sound_, samples.data(), count) != count) return Abandon(sf_strerror(sound_));
    written_ += samples.size();
    return {};
}

Result<void> WavFileSink::Finish() {
    if (!sound_) return Fail(error_);
    const int closed = sf_close(sound_);
    sound_ = nullptr;
    if (closed != 0) return Abandon(sf_error_number(closed));
    Result<void> committed = file_->Commit();
    if (!committed) error_ = committed.error();
    file_.reset();
    return committed;
}

}  // namespace qvx::speak
