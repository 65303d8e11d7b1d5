// Settings profiles: a page's settings in a small JSON file, named as a person would name them,
// written from the page's controls and read back into them as if typed.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

namespace ui {
class CDialog;
struct DialogDesc;
}  // namespace ui

namespace profile {

constexpr const char* kFormatName = "zephra-printer-settings";
constexpr int kFormatVersion = 1;

enum class FieldKind {
    kText,     // an edit: a string
    kList,     // a drop-down list: the text of the entry chosen, null when none is
    kCheck,    // a check box: true or false
    kRadio,    // a group of radio buttons: the name of the one checked
    kAddress,  // an IP-address control: dotted text
};

struct Choice {
    int id;
    const char* value;
};

// One setting: its name in the file, and the control(s) that hold it on the page.
struct Field {
    const char* name;
    FieldKind kind;
    int id = 0;                   // every kind but kRadio
    std::vector<Choice> choices;  // kRadio
    int maxLength = 0;            // kText: characters, 0 for no limit
    bool key = false;             // a security key: in the file only when the operator agrees
};

inline Field Text(const char* name, int id, int maxLength, bool key = false) {
    return Field{name, FieldKind::kText, id, {}, maxLength, key};
}
inline Field List(const char* name, int id) {
    return Field{name, FieldKind::kList, id, {}, 0, false};
}
inline Field Check(const char* name, int id) {
    return Field{name, FieldKind::kCheck, id, {}, 0, false};
}
inline Field Radio(const char* name, std::vector<Choice> choices) {
    return Field{name, FieldKind::kRadio, 0, std::move(choices), 0, false};
}
inline Field Address(const char* name, int id) {
    return Field{name, FieldKind::kAddress, id, {}, 0, false};
}

// The settings of a profile as they will be applied, by field name; a field without a value is
// left as the page has it.
class Values;

// A printer family's profile: its name in the file ("current", "legacy", "module") and its
// settings in the order an operator would set them (a list filled from earlier choices comes
// after them).
struct Family {
    const char* name;
    std::vector<Field> fields;
    // What the family checks across fields before anything is applied (a channel the region
    // lacks): the name of the field at fault, or "" when all fit.
    std::string (*check)(const Values& values) = nullptr;
    // Where the security the values choose keeps its key, when the family has more than one key
    // setting: nullptr when that security takes none. Unset, the family's one key setting.
    const char* (*keySetting)(const Values& values) = nullptr;
};

class Values {
  public:
    virtual ~Values() = default;
    // The value of a text, list, radio or address field; nullptr when the profile has none.
    virtual const std::string* Get(const char* name) const = 0;
};

// The profile of the page's current settings, as the file's text in *text. Returns "", or the
// message that refuses a setting a profile cannot hold (text that is not UTF-8).
std::string SaveProfile(ui::CDialog& page, const Family& family, bool includeKey,
                        std::string* text);

// A setting that a save of the page as it stands leaves unproven: a later read cannot show
// that the printer holds the page's value.
struct Unproven {
    enum class Kind {
        kNotWritten,   // the save does not write it, so the printer keeps its own
        kNotReported,  // the save writes it, but the printer never reports it back
        kPageChoice,   // how the page writes or reads, never a value the printer keeps
    };
    const char* setting;
    Kind kind;
    std::string reason;  // why, as an operator reads it ("not written in Infrastructure mode")
};
// Adds each of settings to *unproven as one the save does not write, for reason.
void AddNotWritten(std::vector<Unproven>* unproven, std::initializer_list<const char*> settings,
                   const char* reason);

// Checks that text is a profile this utility can read, of a family it knows, each setting a tick,
// text free of control characters or null (not known, so left as the page has it): "" with the
// name of its family in *family, or the message that refuses it.
std::string ReadProfileFamily(const std::string& text, std::string* family);

// Why a page refuses a profile of the family named (by its name in the file).
std::string OtherFamilyMessage(const std::string& name);

// The checks LoadProfile makes before it sets a control, made on the page's layout alone, so a
// profile can be refused before any printer is reached: "" or the message that refuses it.
std::string CheckProfile(const ui::DialogDesc& desc, const Family& family, const std::string& text);

// The setting a key given apart from the profile goes to, for the security the profile chooses;
// "" when that security takes no key.
std::string KeySetting(const Family& family, const std::string& text);

// Applies a profile's text to the page as the operator would enter it: each control set, then
// its handler run. Returns "" when applied, or the message that refuses it; a refused profile
// changes nothing.
std::string LoadProfile(ui::CDialog& page, const Family& family, const std::string& text);

}  // namespace profile
