// The simulated printer's core: finds identification requests in the byte stream and answers them.
#include "sim/sim_printer.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "sim/sim_current_gen.h"
#include "sim/sim_legacy.h"
#include "sim/sim_module.h"

namespace {

std::unique_ptr<CSimProtocol> FamilyProtocol(uint8_t model) {
    if (model == '5' || model == '7')
        return std::make_unique<CSimCurrentGen>();
    if (model == '4')
        return std::make_unique<CSimModule>();
    if (model == '3')
        return std::make_unique<CSimLegacy>();
    return std::make_unique<CSimIgnoreProtocol>();
}

}  // namespace

CSimPrinter::CSimPrinter(uint8_t model, SimSendFn send)
    : model_(model), send_(std::move(send)), protocol_(FamilyProtocol(model)) {
    if (!send_)
        send_ = [](std::vector<uint8_t>, unsigned) {};
    protocol_->SetReplyDelay(delayMs_);
}

void CSimPrinter::SetReplyDelay(unsigned ms) {
    delayMs_ = ms;
    protocol_->SetReplyDelay(ms);
}

void CSimPrinter::SetSplitReplies(bool on) {
    split_ = on;
    protocol_->SetSplitReplies(on);
}

void CSimPrinter::SetProtocol(std::unique_ptr<CSimProtocol> protocol) {
    protocol_ = protocol ? std::move(protocol) : std::make_unique<CSimIgnoreProtocol>();
    protocol_->SetReplyDelay(delayMs_);
    protocol_->SetSplitReplies(split_);
}

std::vector<uint8_t> CSimPrinter::IdentifyReply(uint8_t model) {
    // The utility looks only at the length and at the model character; the rest echoes the
    // request and ends the line as a terminal would show it.
    return {0x1B, 0x00, 0x02, 0x02, 0x00, model, 0x0D, 0x0A};
}

void CSimPrinter::Receive(const uint8_t* data, size_t n) {
    if (data == nullptr)
        return;
    const size_t room = kLogLimit - std::min(kLogLimit, received_.size());
    received_.insert(received_.end(), data, data + std::min(n, room));
    for (size_t i = 0; i < n; ++i)
        Feed(data[i]);
}

void CSimPrinter::Feed(uint8_t byte) {
    if (matched_ == 0 && (byte != kRequest[0] || protocol_->InFrame())) {
        protocol_->OnByte(byte, send_);
        return;
    }
    if (byte == kRequest[matched_]) {
        if (++matched_ == sizeof kRequest) {
            matched_ = 0;
            Answer();
        }
        return;
    }
    // Not a request after all: the held bytes go to the family protocol, and since a request
    // holds ESC only at its start, this byte is looked at afresh.
    const size_t held = matched_;
    matched_ = 0;
    protocol_->OnByte(kRequest[0], send_);
    for (size_t i = 1; i < held; ++i)
        Feed(kRequest[i]);
    Feed(byte);
}

void CSimPrinter::Answer() {
    ++identifyCount_;
    std::vector<uint8_t> reply = IdentifyReply(model_);
    size_t length = kReplySize;
    switch (mode_) {
        case IdentifyMode::kNormal:
        case IdentifyMode::kSplit:
            break;
        case IdentifyMode::kSilent:
            return;
        case IdentifyMode::kOneByte:
            length = 1;
            break;
        case IdentifyMode::kTwoBytes:
            length = 2;
            break;
        case IdentifyMode::kShort3:
            length = 3;
            break;
        case IdentifyMode::kShort4:
            length = 4;
            break;
        case IdentifyMode::kShort5:
            length = 5;
            break;
        case IdentifyMode::kUnknownModel:
            reply[kModelIndex] = kUnknownModelChar;
            break;
    }
    reply.resize(length);
    SimSendReply(send_, std::move(reply), delayMs_, split_ || mode_ == IdentifyMode::kSplit);
}

bool ParseIdentifyMode(const char* name, IdentifyMode* mode) {
    static const struct {
        const char* name;
        IdentifyMode mode;
    } kNames[] = {
        {"normal", IdentifyMode::kNormal}, {"silent", IdentifyMode::kSilent},
        {"one", IdentifyMode::kOneByte},   {"two", IdentifyMode::kTwoBytes},
        {"short3", IdentifyMode::kShort3}, {"short4", IdentifyMode::kShort4},
        {"short5", IdentifyMode::kShort5}, {"unknown", IdentifyMode::kUnknownModel},
        {"split", IdentifyMode::kSplit},
    };
    if (name == nullptr)
        return false;
    for (const auto& entry : kNames) {
        if (std::strcmp(name, entry.name) == 0) {
            *mode = entry.mode;
            return true;
        }
    }
    return false;
}
