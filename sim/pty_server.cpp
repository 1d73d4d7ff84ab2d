#include "sim/pty_server.h"

#include <poll.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <deque>

namespace zt {
namespace {

int64_t NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

struct Pending {
    int64_t dueMs;
    Bytes bytes;
};

class Server {
public:
    Server(int master, SimProcessor& processor, const ServeHooks& hooks)
        : master_(master), processor_(processor), hooks_(hooks) {}

    bool ReadInput() {
        uint8_t buffer[4096];
        while (true) {
            const ssize_t n = read(master_, buffer, sizeof buffer);
            if (n > 0) {
                Take(buffer, static_cast<size_t>(n));
                continue;
            }
            if (n < 0 && errno == EINTR) continue;
            // EAGAIN: all read. EIO cannot happen while the slave end is held open.
            return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
        }
    }

    bool WriteOutput() {
        while (!ready_.empty()) {
            const ssize_t n = write(master_, ready_.data(), ready_.size());
            if (n > 0) {
                ready_.erase(ready_.begin(), ready_.begin() + n);
                continue;
            }
            if (n < 0 && errno == EINTR) continue;
            return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
        }
        return true;
    }

    // Moves due answers to the output; returns the poll time-out until the next one.
    int ReleaseDue() {
        const int64_t now = NowMs();
        while (!pending_.empty() && pending_.front().dueMs <= now) {
            ready_.insert(ready_.end(), pending_.front().bytes.begin(),
                          pending_.front().bytes.end());
            pending_.pop_front();
        }
        if (pending_.empty()) return -1;
        return static_cast<int>(pending_.front().dueMs - now);
    }

    bool drained() const { return pending_.empty() && ready_.empty(); }
    bool wantsToWrite() const { return !ready_.empty(); }

private:
    void Take(const uint8_t* bytes, size_t count) {
        const int framesBefore = processor_.framesReceived();
        const int onlineBefore = processor_.onlineCount();
        const bool connectedBefore = processor_.connected();
        Bytes answer = processor_.Receive(bytes, count);
        if (hooks_.frame) {
            const auto& log = processor_.log();
            const size_t fresh = std::min(
                log.size(), static_cast<size_t>(processor_.framesReceived() - framesBefore));
            for (size_t i = log.size() - fresh; i < log.size(); ++i) hooks_.frame(log[i]);
        }
        if (processor_.onlineCount() != onlineBefore && hooks_.online) hooks_.online();
        if (connectedBefore && !processor_.connected() && hooks_.offline) hooks_.offline();
        if (!answer.empty()) {
            pending_.push_back({NowMs() + processor_.faults().delayMs, std::move(answer)});
        }
    }

    int master_;
    SimProcessor& processor_;
    const ServeHooks& hooks_;
    std::deque<Pending> pending_;
    Bytes ready_;
};

// Reads one signal from the descriptor; 0 when there was none.
int TakeSignal(int signalFd) {
    signalfd_siginfo info{};
    const ssize_t n = read(signalFd, &info, sizeof info);
    return n == static_cast<ssize_t>(sizeof info) ? static_cast<int>(info.ssi_signo) : 0;
}

}  // namespace

ServeEnd ServePty(int master, int signalFd, SimProcessor& processor, const ServeHooks& hooks) {
    Server server(master, processor, hooks);
    while (true) {
        const int timeout = server.ReleaseDue();
        if (server.wantsToWrite() && !server.WriteOutput()) return ServeEnd::Failed;
        if (processor.vanished() && server.drained()) return ServeEnd::Vanished;

        pollfd fds[2] = {{master, POLLIN, 0}, {signalFd, POLLIN, 0}};
        if (server.wantsToWrite()) fds[0].events |= POLLOUT;
        const int ready = poll(fds, 2, timeout);
        if (ready < 0) {
            if (errno == EINTR) continue;
            return ServeEnd::Failed;
        }
        if (fds[1].revents != 0) {
            const int signal = TakeSignal(signalFd);
            if (signal == 0 || !hooks.signal || hooks.signal(signal)) return ServeEnd::Stopped;
        }
        if ((fds[0].revents & POLLIN) != 0 && !server.ReadInput()) return ServeEnd::Failed;
        // The slave end is held open, so a hang-up means the terminal itself broke; ending here
        // keeps poll() from reporting it again and again.
        if ((fds[0].revents & (POLLERR | POLLNVAL)) != 0) return ServeEnd::Failed;
        if ((fds[0].revents & (POLLHUP | POLLIN)) == POLLHUP) return ServeEnd::Failed;
    }
}

}  // namespace zt
