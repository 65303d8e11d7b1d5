// What the operator sees and answers at the terminal while a page works.
#include "cli/operator_io.h"

#include <cctype>
#include <iostream>

#include "app/text_file_platform.h"
#include "cli/cli_platform.h"
#include "ui/message.h"

namespace {

// The escape and marker that open every family's request.
constexpr uint8_t kEscape = 0x1B;
constexpr uint8_t kMarker = 0x7E;
// Bytes a label shows after them: the request letter and what it addresses.
constexpr size_t kLabelBytes = 2;

}  // namespace

std::string RequestLabel(const std::vector<uint8_t>& head) {
    size_t at = head.size() >= 2 && head[0] == kEscape && head[1] == kMarker ? 2 : 0;
    std::string label;
    for (size_t n = 0; at < head.size() && n < kLabelBytes; ++at, ++n) {
        const uint8_t b = head[at];
        if (!label.empty())
            label += ' ';
        if ((n == 0 && std::isalpha(b)) || b == '?') {
            label += static_cast<char>(b);
        } else {
            static const char kHex[] = "0123456789ABCDEF";
            label += kHex[b >> 4];
            label += kHex[b & 0x0F];
        }
    }
    return label;
}

COperatorIo::COperatorIo(const CliCommand& command) : command_(command) {
    if (!command.trace.empty())
        trace_ = OpenFileByPath(command.trace, "ab");
}

COperatorIo::~COperatorIo() {
    if (trace_ != nullptr)
        std::fclose(trace_);
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
    hooks.progress = [](ExchangeKind kind, unsigned count, const std::vector<uint8_t>& head) {
        std::fprintf(stderr, "%s %u: %s\n", kind == ExchangeKind::kRead ? "reading" : "saving",
                     count, RequestLabel(head).c_str());
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
