// The printer's identification: its request, its reply and the routing on it.
#include "page_shared/identification.h"

#include <algorithm>

namespace identification {

const char* FamilyName(Family family) {
    switch (family) {
        case Family::kCurrent:
            return "current";
        case Family::kLegacy:
            return "legacy";
        case Family::kModule:
            return "module";
        case Family::kNone:
            break;
    }
    return "";
}

Family FamilyForModel(uint8_t model) {
    switch (model) {
        case '5':
        case '7':
            return Family::kCurrent;
        case '3':
            return Family::kLegacy;
        case '4':
            return Family::kModule;
    }
    return Family::kNone;
}

const char* RefusalText(Verdict verdict) {
    switch (verdict) {
        case Verdict::kUnknownModel:
            return "Check the printer model.";
        case Verdict::kTwoBytes:
            return "Check the printer connection.";
        case Verdict::kWaiting:
        case Verdict::kModel:
        case Verdict::kSilent:
            break;
    }
    return "";
}

bool CIdentityReply::Take(const uint8_t* data, size_t count) {
    const size_t taken = std::min(count, sizeof held_ - count_);
    std::copy(data, data + taken, held_ + count_);
    count_ += taken;
    return Whole();
}

Verdict CIdentityReply::Judge() const {
    if (!Whole())
        return Verdict::kWaiting;
    return RoutedFamily() == Family::kNone ? Verdict::kUnknownModel : Verdict::kModel;
}

Verdict CIdentityReply::JudgeAtTimeout() const {
    if (Whole())
        return Judge();
    if (count_ >= 3)
        return Verdict::kUnknownModel;
    return count_ == 2 ? Verdict::kTwoBytes : Verdict::kSilent;
}

}  // namespace identification
