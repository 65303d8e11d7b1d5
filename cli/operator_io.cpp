// What the operator sees and answers at the terminal while a page works.
#include "cli/operator_io.h"

#include <algorithm>
#include <iostream>

#include "cli/cli_platform.h"
#include "page_shared/text_file_platform.h"
#include "ui/message.h"

std::string ProgressLine(const RequestProgress& progress) {
    std::string line = progress.kind == ExchangeKind::kRead ? "reading " : "saving ";
    line += std::to_string(progress.count);
    // A page may learn of more requests as replies come; its plan is never shown short.
    if (progress.planned > 0)
        line += "/" + std::to_string(std::max(progress.planned, progress.count));
    if (!progress.name.empty())
        line += ": " + progress.name;
    return line;
}

COperatorIo::COperatorIo(const CliCommand& command) : command_(command) {
    if (!command.trace.empty())
        trace_ = OpenFileByPath(command.trace, "ab");
}

COperatorIo::~COperatorIo() {
    if (trace_ != nullptr)
        std::fclose(trace_);
}

void COperatorIo::Result(const std::string& line) {
    Transient(std::string());
    std::fprintf(results_, "%s\n", line.c_str());
    std::fflush(results_);
}

void COperatorIo::Transient(const std::string& line) {
    if (command_.json || (line.empty() && transientWidth_ == 0) || !IsTerminal(results_))
        return;
    // Spaces, not an escape sequence, wipe the longer line before: every console takes them.
    const std::string wipe(transientWidth_ > line.size() ? transientWidth_ - line.size() : 0, ' ');
    std::fprintf(results_, "\r%s%s%s", line.c_str(), wipe.c_str(), line.empty() ? "\r" : "");
    std::fflush(results_);
    transientWidth_ = line.size();
}

void COperatorIo::Error(const std::string& line) {
    std::fprintf(stderr, "%s\n", line.c_str());
}

bool COperatorIo::AskYes(const std::string& question) {
    if (command_.yes) {
        std::fprintf(stderr, "%s Yes\n", question.c_str());
        return true;
    }
    if (!StandardInputIsTerminal()) {
        std::fprintf(stderr, "%s No (--yes answers Yes)\n", question.c_str());
        return false;
    }
    for (;;) {
        std::fprintf(stderr, "%s [y/n] ", question.c_str());
        std::fflush(stderr);
        std::string answer;
        if (!std::getline(std::cin, answer))
            return false;
        if (!answer.empty() && (answer[0] == 'y' || answer[0] == 'Y'))
            return true;
        if (!answer.empty() && (answer[0] == 'n' || answer[0] == 'N'))
            return false;
    }
}

SessionHooks COperatorIo::Hooks() {
    SessionHooks hooks;
    hooks.answerBox = [this](const std::string& text, unsigned type) {
        if ((type & ui::kMbButtonMask) == ui::kMbYesNo)
            return AskYes(text) ? ui::kIdYes : ui::kIdNo;
        std::fprintf(stderr, "%s\n", text.c_str());
        return ui::kIdOk;
    };
    hooks.progress = [](const RequestProgress& progress) {
        std::fprintf(stderr, "%s\n", ProgressLine(progress).c_str());
    };
    if (trace_ != nullptr) {
        FILE* file = trace_;
        hooks.traceLine = [file](const std::string& line) {
            std::fputs(line.c_str(), file);
            std::fflush(file);
        };
    }
    return hooks;
}
