#pragma once
// Feeds sound to the test sound server's pipe source (scripts/sound-test-server.sh) at
// real-time pace: 8-bit unsigned mono at 48 kHz, written every few milliseconds from a thread
// of its own. The FIFO is written without blocking, so a server that stops reading never hangs
// a test.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <numbers>
#include <string>
#include <thread>
#include <vector>

namespace zt::test {

// The pipe source's FIFO beside the socket of the server PULSE_SERVER names
// ("unix:FOLDER/native"); empty when there is none.
inline std::string SoundFifoPath() {
    const char* server = std::getenv("PULSE_SERVER");
    const std::string socket = server != nullptr ? server : "";
    const std::string prefix = "unix:";
    const std::size_t slash = socket.rfind('/');
    if (socket.rfind(prefix, 0) != 0 || slash == std::string::npos) return "";
    const std::string fifo =
        socket.substr(prefix.size(), slash + 1 - prefix.size()) + "source.fifo";
    struct stat info {};
    return ::stat(fifo.c_str(), &info) == 0 && S_ISFIFO(info.st_mode) ? fifo : "";
}

inline constexpr const char* kNoSoundServerText =
    "the test sound server is not running: run the test through ctest, which starts it "
    "(scripts/sound-test-server.sh start build/sound-server)";

// A sound as a function of the sample's index.
using Sound = std::function<std::uint8_t(std::uint64_t)>;

inline Sound Sine(double hz, double amplitude) {
    return [hz, amplitude](std::uint64_t j) {
        const double phase = 2.0 * std::numbers::pi * hz * static_cast<double>(j) / 48000.0;
        return static_cast<std::uint8_t>(std::lround(128.0 + amplitude * std::sin(phase)));
    };
}

inline Sound Silence() {
    return [](std::uint64_t) { return std::uint8_t{128}; };
}

// Full scale: 0 and 255, `period` samples long.
inline Sound Square(std::uint64_t period) {
    return [period](std::uint64_t j) { return std::uint8_t(j % period < period / 2 ? 255 : 0); };
}

// Takes the source from the server's background silence (see scripts/sound-test-server.sh) for
// as long as the returned descriptor stays open; -1 when there is no lock file to take.
inline int HoldSoundSource(const std::string& fifo) {
    const int fd = ::open((fifo.substr(0, fifo.rfind('/') + 1) + "source.lock").c_str(),
                          O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd >= 0) ::flock(fd, LOCK_EX);
    return fd;
}

// The server reads the FIFO only while something records, so sound written earlier may still
// wait there; it would reach the capture before the sound that follows.
inline void DrainSoundFifo(const std::string& fifo) {
    const int fd = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return;
    char scrap[4096];
    while (::read(fd, scrap, sizeof scrap) > 0) {
    }
    ::close(fd);
}

class SoundFeeder {
public:
    explicit SoundFeeder(const std::string& fifo, Sound sound = Silence())
        : sound_(std::move(sound)) {
        if (fifo.empty()) return;
        // While a test feeds the source, the server's background silence keeps out of the way.
        lockFd_ = HoldSoundSource(fifo);
        DrainSoundFifo(fifo);
        fd_ = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd_ >= 0) thread_ = std::thread([this] { Run(); });
    }
    ~SoundFeeder() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        if (fd_ >= 0) ::close(fd_);
        if (lockFd_ >= 0) ::close(lockFd_);  // lets the background silence go on
    }
    SoundFeeder(const SoundFeeder&) = delete;
    SoundFeeder& operator=(const SoundFeeder&) = delete;

    bool ok() const { return fd_ >= 0; }
    void Play(Sound sound) {
        std::lock_guard lock(lock_);
        sound_ = std::move(sound);
    }
    std::uint64_t samplesWritten() const { return written_; }

private:
    void Run() {
        using Clock = std::chrono::steady_clock;
        const Clock::time_point start = Clock::now();
        std::vector<std::uint8_t> chunk;
        std::uint64_t sample = 0;
        while (!stop_) {
            const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
            const auto due = static_cast<std::uint64_t>(seconds * 48000.0);
            if (due > sample) {
                chunk.resize(due - sample);
                {
                    std::lock_guard lock(lock_);
                    for (std::uint8_t& byte : chunk) byte = sound_(sample++);
                }
                // A full FIFO drops the rest of this chunk; the pace stays real time.
                const ssize_t put = ::write(fd_, chunk.data(), chunk.size());
                if (put > 0) written_ += static_cast<std::uint64_t>(put);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

    int fd_ = -1;
    int lockFd_ = -1;
    std::mutex lock_;
    Sound sound_;
    std::atomic<bool> stop_{false};
    std::atomic<std::uint64_t> written_{0};
    std::thread thread_;
};

}  // namespace zt::test
