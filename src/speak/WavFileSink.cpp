#include "speak/WavFileSink.h"

#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

namespace qvx::speak {

std::unique_ptr<WavFileSink> WavFileSink::Open(const std::string& path, int sampleRate,
                                               std::string& error) {
    const std::filesystem::path target(path);
    std::string temporary =
        (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return nullptr;
    }
    fchmod(fd, 0644);  // mkstemp makes it private; the result is an ordinary file
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open_fd(fd, SFM_WRITE, &info, SF_TRUE);
    if (!file) {
        error = "cannot write " + path + ": " + sf_strerror(nullptr);
        ::close(fd);
        std::remove(temporary.c_str());
        return nullptr;
    }
    return std::unique_ptr<WavFileSink>(new WavFileSink(path, std::move(temporary), file));
}

WavFileSink::WavFileSink(std::string path, std::string temporary, sf_private_tag* file)
    : path_(std::move(path)), temporary_(std::move(temporary)), file_(file) {}

WavFileSink::~WavFileSink() {
    Discard();
}

void WavFileSink::Discard() {
    if (!file_) return;
    sf_close(file_);
    file_ = nullptr;
    std::remove(temporary_.c_str());
}

bool WavFileSink::Write(std::span<const std::int16_t> samples) {
    if (!file_) return false;
    const auto count = static_cast<sf_count_t>(samples.size());
    if (sf_write_short(file_, samples.data(), count) != count) {
        error_ = "cannot write " + path_ + ": " + sf_strerror(file_);
        Discard();
        return false;
    }
    return true;
}

bool WavFileSink::Finish() {
    if (!file_) return false;
    sf_write_sync(file_);
    const int closed = sf_close(file_);
    file_ = nullptr;
    std::error_code ec;
    if (closed == 0) std::filesystem::rename(temporary_, path_, ec);
    if (closed != 0 || ec) {
        error_ = "cannot write " + path_ + ": " + (ec ? ec.message() : sf_error_number(closed));
        std::remove(temporary_.c_str());
        return false;
    }
    return true;
}

}  // namespace qvx::speak
