// The printer's identification: the request sent after a link opens, when its reply is whole and
// what it names, and which family of pages a model character routes to.
#pragma once

#include <cstddef>
#include <cstdint>

namespace identification {

constexpr uint8_t kRequest[] = {0x1B, 0x00, 0x02, 0x02};
// How long a printer has to name its model.
constexpr uint32_t kTimeoutMs = 1000;
// The byte of the reply that names the model; nothing else in it is examined.
constexpr size_t kModelIndex = 5;

enum class Family { kNone, kCurrent, kLegacy, kModule };

// "current", "legacy" or "module"; "" for none.
const char* FamilyName(Family family);
// The family whose page serves a model character; kNone for a model no page serves.
Family FamilyForModel(uint8_t model);

enum class Verdict {
    kWaiting,       // the model character has not come yet
    kModel,         // a model a family serves
    kUnknownModel,  // three bytes or more, and no family serves the model named (0 when cut short)
    kTwoBytes,      // two bytes and nothing more within the time
    // Nothing, or a lone byte, within the time. A Wi-Fi module that does not identify itself
    // stays silent, and so does a port with nothing behind it.
    kSilent,
};

// What the panel says of a reply it refuses: kUnknownModel and kTwoBytes; "" for the others.
const char* RefusalText(Verdict verdict);

// The reply as it comes, in pieces: whole once its model character has come. Bytes after that
// are not part of it.
class CIdentityReply {
  public:
    // Forgets the bytes held, for a new request.
    void Reset() { count_ = 0; }
    // Takes bytes received while the reply is awaited; true once the reply is whole.
    bool Take(const uint8_t* data, size_t count);
    bool Whole() const { return count_ == sizeof held_; }
    // What the reply names: kWaiting until it is whole, then kModel or kUnknownModel.
    Verdict Judge() const;
    // What the bytes held name once the time is up.
    Verdict JudgeAtTimeout() const;
    // The model character of a whole reply; 0 before.
    uint8_t Model() const { return Whole() ? held_[kModelIndex] : 0; }
    Family RoutedFamily() const { return FamilyForModel(Model()); }

  private:
    uint8_t held_[kModelIndex + 1] = {};
    size_t count_ = 0;
};

}  // namespace identification
