// Applying received frames: the biggest page frame, and a whole page stream cut into frames.

#include <benchmark/benchmark.h>

#include "link/frame_codec.h"
#include "link/frame_receiver.h"
#include "params/diagnostic_log.h"

namespace zt {
namespace {

// The biggest page frame: 125 values (250 data bytes), from slot 0 of page 0.
Bytes BiggestPageFrame() {
    Bytes data;
    for (int slot = 0; slot < 125; ++slot) {
        data.push_back(static_cast<uint8_t>(slot * 7));
        data.push_back(static_cast<uint8_t>(slot));
    }
    return BuildFrame(kCommandWrite, 0x0000, data);
}

// A log that drops its lines, so that the benchmark measures the link and not a growing vector.
class NullLog : public DiagnosticLog {
public:
    void Append(const std::string& line) override { benchmark::DoNotOptimize(line.data()); }
    void Clear() override {}
};

void BM_ApplyBiggestPageFrame(benchmark::State& state) {
    const Bytes frame = BiggestPageFrame();
    DeviceImage image;
    DeviceInfo info;
    NullLog log;
    const FrameTargets targets{image, info, log, 0};
    for (auto _ : state) {
        benchmark::DoNotOptimize(ApplyFrame(frame, targets));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(frame.size()));
}
BENCHMARK(BM_ApplyBiggestPageFrame);

class ApplyingSink : public FrameReceiver::Sink {
public:
    ApplyingSink(DeviceImage& image, DeviceInfo& info, DiagnosticLog& log)
        : targets_{image, info, log, 0} {}
    void OnShortMessage() override {}
    void OnFrame(std::span<const uint8_t> frame) override { ApplyFrame(frame, targets_); }

private:
    FrameTargets targets_;
};

// Thirty big frames with acknowledgements between them, in receive events of 64 bytes.
void BM_ReceiveAndApplyStream(benchmark::State& state) {
    Bytes stream;
    const Bytes frame = BiggestPageFrame();
    for (int i = 0; i < 30; ++i) {
        stream.insert(stream.end(), frame.begin(), frame.end());
        stream.insert(stream.end(), {0xEE, 0xBB});
    }
    DeviceImage image;
    DeviceInfo info;
    NullLog log;
    ApplyingSink sink(image, info, log);
    FrameReceiver receiver;
    constexpr size_t kEvent = 64;
    for (auto _ : state) {
        for (size_t at = 0; at < stream.size(); at += kEvent) {
            const size_t size = std::min(kEvent, stream.size() - at);
            receiver.Receive(std::span(stream).subspan(at, size), size, sink, log);
        }
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(stream.size()));
}
BENCHMARK(BM_ReceiveAndApplyStream);

}  // namespace
}  // namespace zt
