// Children on a POSIX system: spawned on pipes, which one poll loop serves.
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "cli/child_processes.h"

extern char** environ;

namespace {

struct Child {
    pid_t pid = 0;
    // Its standard input until all is written, then -1.
    int in = -1;
    size_t written = 0;
    // Its standard output and error until each ends, then -1.
    int out[2] = {-1, -1};
    std::string unfinished[2];
};

// Starts the run on new pipes, in a process group of its own so that a terminal's Ctrl-C reaches
// only this process; the reason when it cannot.
std::string Spawn(const ChildRun& run, Child& child) {
    // Standard input, output and error, each read end then write end; none is inherited but as
    // the child's 0, 1 and 2.
    int pipes[3][2] = {{-1, -1}, {-1, -1}, {-1, -1}};
    const auto childEnd = [&pipes](int i) { return pipes[i][i == 0 ? 0 : 1]; };
    const auto ownEnd = [&pipes](int i) { return pipes[i][i == 0 ? 1 : 0]; };
    int error = 0;
    for (auto& ends : pipes) {
        if (error == 0 && pipe2(ends, O_CLOEXEC) != 0)
            error = errno;
    }
    if (error == 0) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        for (int i = 0; i < 3; ++i)
            posix_spawn_file_actions_adddup2(&actions, childEnd(i), i);
        // Not as this process has them: WatchInterrupt blocks SIGINT, and a caller may ignore it.
        sigset_t none, defaults;
        sigemptyset(&none);
        sigemptyset(&defaults);
        sigaddset(&defaults, SIGINT);
        sigaddset(&defaults, SIGPIPE);
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        posix_spawnattr_setflags(
            &attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
        posix_spawnattr_setpgroup(&attributes, 0);
        posix_spawnattr_setsigmask(&attributes, &none);
        posix_spawnattr_setsigdefault(&attributes, &defaults);
        std::vector<char*> argv{const_cast<char*>(run.program.c_str())};
        for (const std::string& arg : run.args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        error = posix_spawn(&child.pid, run.program.c_str(), &actions, &attributes, argv.data(),
                            environ);
        posix_spawnattr_destroy(&attributes);
        posix_spawn_file_actions_destroy(&actions);
    }
    for (int i = 0; i < 3; ++i) {
        if (childEnd(i) >= 0)
            close(childEnd(i));
        if (error != 0 && ownEnd(i) >= 0)
            close(ownEnd(i));
    }
    if (error != 0)
        return std::generic_category().message(error);
    child.out[0] = ownEnd(1);
    child.out[1] = ownEnd(2);
    if (run.input.empty()) {
        close(ownEnd(0));
    } else {
        child.in = ownEnd(0);
        // Written as the child takes it, between its lines, so that a long input blocks nothing.
        fcntl(child.in, F_SETFL, O_NONBLOCK);
    }
    return std::string();
}

// Writes more of a child's input; closes it when all is written or the child takes no more.
// SIGPIPE is held for the write and any it raised taken back (even a write cut short by the
// child's end raises one): EPIPE says enough.
void WriteInput(const std::string& input, Child& child) {
    sigset_t pipeSignal, old;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &old);
    const ssize_t n = write(child.in, input.data() + child.written, input.size() - child.written);
    const int error = errno;
    if (!sigismember(&old, SIGPIPE)) {
        const timespec now{};
        sigtimedwait(&pipeSignal, nullptr, &now);
    }
    pthread_sigmask(SIG_SETMASK, &old, nullptr);
    if (n > 0)
        child.written += static_cast<size_t>(n);
    if (child.written == input.size() || (n < 0 && error != EAGAIN && error != EINTR)) {
        close(child.in);
        child.in = -1;
    }
}

}  // namespace

std::string ThisProgram() {
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error).string();
}

void CChildProcesses::Interrupt(long long id) {
    kill(static_cast<pid_t>(id), SIGINT);
}

std::vector<int> CChildProcesses::Run(
    const std::vector<ChildRun>& runs, unsigned jobs,
    const std::function<void(size_t, ChildStream, const std::string&)>& onLine) {
    // Under the lock, so that Stop never signals a pid the system may have given out again.
    const auto reaped = [this](pid_t pid, int* status) {
        std::lock_guard<std::mutex> lock(mutex_);
        int raw = 0;
        const pid_t waited = waitpid(pid, &raw, WNOHANG);
        if (waited == 0 || (waited < 0 && errno == EINTR))
            return false;
        running_.erase(std::find(running_.begin(), running_.end(), pid));
        // Ended by a signal, or waited for elsewhere (-1): a failure.
        *status = waited > 0 && WIFEXITED(raw) ? WEXITSTATUS(raw) : 1;
        return true;
    };
    std::vector<int> statuses(runs.size(), -1);
    std::vector<Child> children(runs.size());
    std::vector<size_t> running;
    size_t next = 0;
    std::string buffer(kLinePiece, '\0');
    for (;;) {
        while (running.size() < jobs && next < runs.size()) {
            const size_t i = next++;
            std::string error;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                if (stopped_)
                    break;
                error = Spawn(runs[i], children[i]);
                if (error.empty())
                    running_.push_back(children[i].pid);
            }
            if (error.empty())
                running.push_back(i);
            else
                onLine(i, ChildStream::kErr, "cannot start " + runs[i].program + ": " + error);
        }
        if (running.empty())
            return statuses;

        std::vector<pollfd> polled;
        // The child, and which of its pipes: 0 and 1 its output and error, 2 its input.
        std::vector<std::pair<size_t, int>> owners;
        bool outputEnded = false;
        for (const size_t i : running) {
            const Child& child = children[i];
            for (int s = 0; s < 2; ++s) {
                if (child.out[s] >= 0) {
                    polled.push_back({child.out[s], POLLIN, 0});
                    owners.emplace_back(i, s);
                }
            }
            if (child.in >= 0) {
                polled.push_back({child.in, POLLOUT, 0});
                owners.emplace_back(i, 2);
            }
            outputEnded = outputEnded || (child.out[0] < 0 && child.out[1] < 0);
        }
        // A child whose output has ended is looked at every millisecond until it has ended too,
        // which it does at once: an identification takes tens of milliseconds.
        if (poll(polled.data(), polled.size(), outputEnded ? 1 : -1) < 0)
            continue;
        for (size_t p = 0; p < polled.size(); ++p) {
            if (polled[p].revents == 0)
                continue;
            const size_t i = owners[p].first;
            const int s = owners[p].second;
            Child& child = children[i];
            if (s == 2) {
                WriteInput(runs[i].input, child);
                continue;
            }
            const ssize_t n = read(child.out[s], &buffer[0], buffer.size());
            if (n < 0 && errno == EINTR)
                continue;
            CutLines(child.unfinished[s], buffer.data(), n > 0 ? static_cast<size_t>(n) : 0, n <= 0,
                     [&](const std::string& line) {
                         onLine(i, s == 0 ? ChildStream::kOut : ChildStream::kErr, line);
                     });
            if (n <= 0) {
                close(child.out[s]);
                child.out[s] = -1;
            }
        }
        for (auto it = running.begin(); it != running.end();) {
            Child& child = children[*it];
            if (child.out[0] >= 0 || child.out[1] >= 0 || !reaped(child.pid, &statuses[*it])) {
                ++it;
                continue;
            }
            if (child.in >= 0)
                close(child.in);
            it = running.erase(it);
        }
    }
}
