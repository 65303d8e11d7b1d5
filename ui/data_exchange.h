// Two-way exchange between a dialog's held values and its controls.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ui {

class CDialog;

// Taking values (save) stops at the first field that cannot be taken: that field gets the focus
// and the operator a message; the later bindings are skipped.
//
// An exchange for a handler that owns some fields shows or takes only those, and takes every other
// field quietly: each that can be taken is, and one that cannot keeps its text and its held value,
// without a message, until values are next taken. So showing what a handler changed never puts a
// stale held value over what the operator typed elsewhere.
class CDataExchange {
  public:
    CDataExchange(CDialog& dialog, bool saveAndValidate);
    CDataExchange(CDialog& dialog, bool saveAndValidate, std::vector<int> owned);

    bool Saving() const { return save_; }
    bool Failed() const { return failed_; }

    // Edit or static text; maxChars > 0 also limits typing and refuses longer text.
    void Text(int id, std::string& value, int maxChars = 0);
    // Unsigned decimal number in an edit.
    void Number(int id, uint32_t& value);
    // Selected item's text of a drop-down list; showing selects the matching item.
    void ComboText(int id, std::string& value);
    // IP-address control, first octet in the high byte.
    void Address(int id, uint32_t& value);

  private:
    enum class Step { kShow, kTake, kTakeQuietly, kNone };
    // What this exchange does with the field: nothing once an owned field has failed, except
    // the quiet takes.
    Step StepFor(int id) const;
    void Fail(int id, const std::string& message);

    CDialog& dialog_;
    bool save_;
    bool partial_ = false;
    std::vector<int> owned_;
    bool failed_ = false;
};

// Parses what an operator typed as an unsigned 32-bit decimal number, blanks around it allowed.
bool ParseUnsigned(const std::string& text, uint32_t* value);

// An IP-address control's value as the control shows it, "a.b.c.d".
std::string DottedAddress(uint32_t address);

// Number of characters in UTF-8 text.
int CharacterCount(const std::string& text);

}  // namespace ui
