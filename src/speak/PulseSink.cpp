#include "speak/PulseSink.h"

#include <pulse/error.h>
#include <pulse/simple.h>

namespace qvx::speak {

Result<std::unique_ptr<AudioSink>> PulseSink::Open(int sampleRate) {
    const pa_sample_spec format{PA_SAMPLE_S16LE, static_cast<std::uint32_t>(sampleRate), 1};
    int code = 0;
    pa_simple* stream = pa_simple_new(nullptr, "speak43", PA_STREAM_PLAYBACK, nullptr,
                                      "working script", &format, nullptr, nullptr, &code);
    if (!stream) return Fail(std::string("cannot open the sound device: ") + pa_strerror(code));
    return std::unique_ptr<AudioSink>(new PulseSink(stream));
}

PulseSink::~PulseSink() {
    pa_simple_free(stream_);
}

namespace {

Result<void> DeviceFailure(int code) {
    return Fail(std::string("the sound device failed: ") + pa_strerror(code));
}

}  // namespace

Result<void> PulseSink::Write(std::span<const std::int16_t> samples) {
    int code = 0;
    if (pa_simple_write(stream_, samples.data(), samples.size_bytes(), &code) < 0) {
        return DeviceFailure(code);
    }
    return {};
}

Result<void> PulseSink::Finish() {
    int code = 0;
    if (pa_simple_drain(stream_, &code) < 0) return DeviceFailure(code);
    return {};
}

}  // namespace qvx::speak
