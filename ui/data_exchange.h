// Two-way exchange between a dialog's held values and its controls.
#pragma once

#include <cstdint>
#include <string>

namespace ui {

class CDialog;

// Taking values (save) stops at the first field that cannot be taken: that field gets the focus
// and the operator a message; the later bindings are skipped.
class CDataExchange {
  public:
    CDataExchange(CDialog& dialog, bool saveAndValidate);

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
    void Fail(int id, const std::string& message);

    CDialog& dialog_;
    bool save_;
    bool failed_ = false;
};

// Parses what an operator typed as an unsigned 32-bit decimal number, blanks around it allowed.
bool ParseUnsigned(const std::string& text, uint32_t* value);

// An IP-address control's value as the control shows it, "a.b.c.d".
std::string DottedAddress(uint32_t address);

// Number of characters in UTF-8 text.
int CharacterCount(const std::string& text);

}  // namespace ui
