// Copies of a program run side by side, each line they write handed on whole.
#pragma once

#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

struct ChildRun {
    std::string program;            // path of the program to run
    std::vector<std::string> args;  // after the program's name, UTF-8
    std::string input;              // written to its standard input, which is then closed
};
enum class ChildStream { kOut, kErr };

// The path of the running program; empty when the system does not say.
std::string ThisProgram();

class CChildProcesses {
  public:
    // Starts a child for each of runs, at most `jobs` at once (jobs >= 1), in list order; calls
    // onLine(index, stream, line) on the calling thread for each whole line (without its line
    // end, "\r\n" or "\n") of each child's standard output and standard error, in the order each
    // stream wrote them; a last line without its end is handed on at the end of the stream, and a
    // line longer than kLinePiece in pieces that long. onLine may call Stop and must not throw.
    // Returns each child's exit status once every child has ended; -1 for a child never started
    // (after Stop) or that could not be started (then onLine gets one kErr line saying why). A
    // child that ended abnormally (by a signal; on Windows with a code past INT_MAX, the system's
    // own for a crash or an unhandled Ctrl-Break) counts as 1, a failure like any other.
    std::vector<int> Run(
        const std::vector<ChildRun>& runs, unsigned jobs,
        const std::function<void(size_t, ChildStream, const std::string&)>& onLine);
    // Any thread: every running child is asked once to stop after its request under way, as
    // Ctrl-C asks zephra-cli, and no further child starts, in this Run or a later one. Safe
    // before, during and after Run.
    void Stop();

    // The longest line handed on whole; a longer one comes in pieces, so that memory stays bounded.
    static constexpr size_t kLinePiece = 64 * 1024;

  private:
    // Adds what a stream wrote to its unfinished line and hands on each line now whole; at the
    // stream's end, the rest as well.
    static void CutLines(std::string& unfinished, const char* bytes, size_t size, bool ended,
                         const std::function<void(const std::string&)>& hand);
    // Asks the child with this system id to stop, as Ctrl-C asks zephra-cli.
    static void Interrupt(long long id);

    std::mutex mutex_;
    bool stopped_ = false;
    // The system ids of the children started and not yet waited for, that Stop interrupts.
    std::vector<long long> running_;
};
