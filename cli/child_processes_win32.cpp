// Children on Windows: started on anonymous pipes, which threads of their own serve, passing what
// comes to the calling thread.
#include <windows.h>

#include <algorithm>
#include <climits>
#include <condition_variable>
#include <deque>
#include <thread>

#include "cli/child_processes.h"
#include "ui/win32/text.h"

namespace {

// From a child's threads to the calling thread: what its output (0) or error (1) wrote, or the
// stream's end (no bytes); or the child's end (2) and its exit code.
struct Report {
    size_t index;
    int source;
    std::string bytes;
    DWORD exitCode;
};

class CReports {
  public:
    void Put(Report report) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            reports_.push_back(std::move(report));
        }
        ready_.notify_one();
    }
    Report Take() {
        std::unique_lock<std::mutex> lock(mutex_);
        ready_.wait(lock, [this] { return !reports_.empty(); });
        Report report = std::move(reports_.front());
        reports_.pop_front();
        return report;
    }

  private:
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<Report> reports_;
};

struct Child {
    HANDLE process = nullptr;
    DWORD id = 0;
    // The readers of its output and error, and the writer of its input, which then waits for it.
    std::thread threads[3];
    // Its streams and itself, until each has reported its end.
    int open = 3;
    std::string unfinished[2];
};

// One argument as the C runtime and CommandLineToArgvW take it back: in quotes, with backslashes
// doubled only where a quote follows them.
std::wstring Quoted(const std::wstring& arg) {
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        quoted.push_back(c);
        backslashes = 0;
    }
    // Before the closing quote.
    quoted.append(2 * backslashes, L'\\');
    return quoted + L'"';
}

void ReadStream(HANDLE pipe, size_t index, int source, CReports& reports) {
    std::string buffer(CChildProcesses::kLinePiece, '\0');
    DWORD n = 0;
    // Fails once the child and any heir of its handle have closed it.
    while (ReadFile(pipe, &buffer[0], static_cast<DWORD>(buffer.size()), &n, nullptr)) {
        if (n > 0)
            reports.Put({index, source, buffer.substr(0, n), 0});
    }
    CloseHandle(pipe);
    reports.Put({index, source, std::string(), 0});
}

// Writes the input (a child that takes no more breaks the pipe, which ends the write), closes it,
// and waits for the child's end.
void WriteAndWait(HANDLE pipe, const std::string& input, HANDLE process, size_t index,
                  CReports& reports) {
    size_t written = 0;
    DWORD n = 0;
    while (written < input.size() &&
           WriteFile(pipe, input.data() + written,
                     static_cast<DWORD>(std::min<size_t>(input.size() - written, 1 << 16)), &n,
                     nullptr))
        written += n;
    CloseHandle(pipe);
    WaitForSingleObject(process, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process, &code);
    reports.Put({index, 2, std::string(), code});
}

// Starts the run on new pipes, in a process group of its own so that Stop can send it Ctrl-Break
// alone, with the threads that serve it; the reason when it cannot.
std::string Start(const ChildRun& run, size_t index, Child& child, CReports& reports) {
    // Standard input, output and error, each read end then write end; only the child's ends are
    // inherited.
    HANDLE pipes[3][2] = {};
    const auto childEnd = [&pipes](int i) -> HANDLE& { return pipes[i][i == 0 ? 0 : 1]; };
    const auto ownEnd = [&pipes](int i) -> HANDLE& { return pipes[i][i == 0 ? 1 : 0]; };
    SECURITY_ATTRIBUTES inherited = {sizeof(inherited), nullptr, TRUE};
    DWORD error = 0;
    for (int i = 0; i < 3 && error == 0; ++i) {
        if (!CreatePipe(&pipes[i][0], &pipes[i][1], &inherited, 0) ||
            !SetHandleInformation(ownEnd(i), HANDLE_FLAG_INHERIT, 0))
            error = GetLastError();
    }
    PROCESS_INFORMATION info = {};
    if (error == 0) {
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = childEnd(0);
        startup.hStdOutput = childEnd(1);
        startup.hStdError = childEnd(2);
        const std::wstring program = ui::Widen(run.program);
        std::wstring commandLine = Quoted(program);
        for (const std::string& arg : run.args)
            commandLine += L' ' + Quoted(ui::Widen(arg));
        if (!CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, TRUE,
                            CREATE_NEW_PROCESS_GROUP, nullptr, nullptr, &startup, &info))
            error = GetLastError();
    }
    for (int i = 0; i < 3; ++i) {
        if (childEnd(i) != nullptr)
            CloseHandle(childEnd(i));
        if (error != 0 && ownEnd(i) != nullptr)
            CloseHandle(ownEnd(i));
    }
    if (error != 0)
        return ui::SystemMessage(error);
    CloseHandle(info.hThread);
    child.process = info.hProcess;
    child.id = info.dwProcessId;
    child.threads[0] = std::thread(ReadStream, ownEnd(1), index, 0, std::ref(reports));
    child.threads[1] = std::thread(ReadStream, ownEnd(2), index, 1, std::ref(reports));
    child.threads[2] = std::thread(WriteAndWait, ownEnd(0), std::cref(run.input), child.process,
                                   index, std::ref(reports));
    return std::string();
}

}  // namespace

std::string ThisProgram() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (n == 0)
            return std::string();
        // A path cut short fills the buffer.
        if (n < path.size())
            return ui::Narrow(path.substr(0, n));
        path.resize(2 * path.size());
    }
}

void CChildProcesses::Interrupt(long long id) {
    GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, static_cast<DWORD>(id));
}

std::vector<int> CChildProcesses::Run(
    const std::vector<ChildRun>& runs, unsigned jobs,
    const std::function<void(size_t, ChildStream, const std::string&)>& onLine) {
    std::vector<int> statuses(runs.size(), -1);
    std::vector<Child> children(runs.size());
    CReports reports;
    size_t running = 0;
    size_t next = 0;
    for (;;) {
        while (running < jobs && next < runs.size()) {
            const size_t i = next++;
            std::string error;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                if (stopped_)
                    break;
                error = Start(runs[i], i, children[i], reports);
                if (error.empty())
                    running_.push_back(children[i].id);
            }
            if (error.empty())
                ++running;
            else
                onLine(i, ChildStream::kErr, "cannot start " + runs[i].program + ": " + error);
        }
        if (running == 0)
            return statuses;

        const Report report = reports.Take();
        Child& child = children[report.index];
        if (report.source == 2) {
            statuses[report.index] = report.exitCode > static_cast<DWORD>(INT_MAX)
                                         ? 1
                                         : static_cast<int>(report.exitCode);
        } else {
            CutLines(child.unfinished[report.source], report.bytes.data(), report.bytes.size(),
                     report.bytes.empty(), [&](const std::string& line) {
                         onLine(report.index,
                                report.source == 0 ? ChildStream::kOut : ChildStream::kErr, line);
                     });
        }
        if ((report.source == 2 || report.bytes.empty()) && --child.open == 0) {
            for (std::thread& thread : child.threads)
                thread.join();
            {
                // The id stays the child's while its handle is open.
                std::lock_guard<std::mutex> lock(mutex_);
                running_.erase(std::find(running_.begin(), running_.end(), child.id));
            }
            CloseHandle(child.process);
            --running;
        }
    }
}
