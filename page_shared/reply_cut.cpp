// What every family's reply begins with.
#include "page_shared/reply_cut.h"

#include "page_shared/escape_frame.h"

namespace reply {

std::optional<Cut> HeadCut(const uint8_t* held, size_t count) {
    if (count == 0)
        return Partial();
    if (held[0] != escape::kEsc || (count > 1 && held[1] != escape::kTilde))
        return Junk();
    if (count < 3)
        return Partial();
    return std::nullopt;
}

std::optional<Cut> LetterCut(const std::vector<uint8_t>* request, const uint8_t* held,
                             size_t count) {
    if (const auto head = HeadCut(held, count))
        return head;
    if (request == nullptr || request->size() < 3 || held[2] != (*request)[2])
        return Stray();
    return std::nullopt;
}

}  // namespace reply
