// What running children shares between the systems: stopping them, and cutting their lines.
#include "cli/child_processes.h"

void CChildProcesses::Stop() {
    std::lock_guard<std::mutex> lock(mutex_);
    // zephra-cli ends itself at a second Ctrl-C, without finishing its request.
    if (stopped_)
        return;
    stopped_ = true;
    for (const long long id : running_)
        Interrupt(id);
}

void CChildProcesses::CutLines(std::string& unfinished, const char* bytes, size_t size, bool ended,
                               const std::function<void(const std::string&)>& hand) {
    unfinished.append(bytes, size);
    size_t start = 0;
    for (size_t end; (end = unfinished.find('\n', start)) != std::string::npos; start = end + 1) {
        const size_t stop = end > start && unfinished[end - 1] == '\r' ? end - 1 : end;
        for (; stop - start > kLinePiece; start += kLinePiece)
            hand(unfinished.substr(start, kLinePiece));
        hand(unfinished.substr(start, stop - start));
    }
    // An unfinished line keeps one byte more, a '\r' that may begin its end, so that where the
    // pieces fall does not depend on how the bytes came.
    for (const size_t keep = ended ? kLinePiece : kLinePiece + 1; unfinished.size() - start > keep;
         start += kLinePiece)
        hand(unfinished.substr(start, kLinePiece));
    if (ended && start < unfinished.size()) {
        hand(unfinished.substr(start));
        start = unfinished.size();
    }
    unfinished.erase(0, start);
}
