// Settings profiles: a page's settings in a small JSON file, named as a person would name them,
// written from the page's controls and read back into them as if typed.
#include "page_shared/profile.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <iterator>
#include <map>

#include "page_shared/entry_text.h"
#include "page_shared/profile_shape.h"
#include "ui/data_exchange.h"
#include "ui/dialog.h"

namespace profile {

namespace {

using nlohmann::json;

constexpr const char* kKeyLeftOut = "key_left_out";
constexpr const char* kNotAProfile = "This file is not a printer settings profile.";

// A profile's settings sit two levels deep; no value needs more than a few levels beyond them.
constexpr int kMaxNesting = 8;

// The families by their names in the file, and how a message names their printers.
const struct {
    const char* name;
    const char* printer;
} kFamilies[] = {
    {"current", "current-generation"},
    {"legacy", "legacy"},
    {"module", "Wi-Fi module"},
};

class ValueMap : public Values {
  public:
    const std::string* Get(const char* name) const override {
        auto it = values_.find(name);
        return it == values_.end() ? nullptr : &it->second;
    }
    void Set(const char* name, std::string value) { values_[name] = std::move(value); }

  private:
    std::map<std::string, std::string> values_;
};

// A name from the file in quotes, its control and non-ASCII characters escaped so that the
// message stays one line of plain text.
std::string Quoted(const std::string& name) {
    return json(name).dump(-1, ' ', true);
}

std::string Refusal(const std::string& field) {
    return "The profile's " + Quoted(field) + " is not a value this page can hold.";
}

// A setting is text, a tick or null (not known); any other value is refused before it is looked
// into.
std::string ShapeRefusal(const std::string& name, const json& value) {
    if (value.is_string() && HasControlCharacter(value.get_ref<const std::string&>()))
        return "The profile's " + Quoted(name) + " holds a control character.";
    return value.is_string() || value.is_boolean() || value.is_null() ? std::string()
                                                                      : Refusal(name);
}

// Dotted text with four octets of 0 to 255, digits only.
bool IsDottedAddress(const std::string& text) {
    int octets = 0, digits = 0, value = 0;
    for (char c : text + ".") {
        if (c == '.') {
            if (digits == 0 || value > 255)
                return false;
            ++octets;
            digits = value = 0;
        } else if (c >= '0' && c <= '9' && digits < 3) {
            value = value * 10 + (c - '0');
            ++digits;
        } else {
            return false;
        }
    }
    return octets == 4;
}

int IndexOf(const std::vector<std::string>& items, const std::string& value) {
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i] == value)
            return static_cast<int>(i);
    }
    return -1;
}

// Takes one field's value from the file, checking what can be checked without the page. A null
// value is taken as no value: the page keeps what it has.
bool TakeField(const ui::DialogDesc& desc, const Field& field, const json& value,
               ValueMap* values) {
    if (value.is_null())
        return true;
    if (field.kind == FieldKind::kCheck) {
        if (!value.is_boolean())
            return false;
        values->Set(field.name, value.get<bool>() ? "true" : "false");
        return true;
    }
    if (!value.is_string())
        return false;
    const std::string text = value.get<std::string>();
    switch (field.kind) {
        case FieldKind::kText:
            if (field.maxLength > 0 && ui::CharacterCount(text) > field.maxLength)
                return false;
            break;
        case FieldKind::kList: {
            // A list filled at run time is the family's own check.
            const ui::ControlDesc* list = desc.Find(field.id);
            if (list != nullptr && !list->items.empty() && IndexOf(list->items, text) < 0)
                return false;
            break;
        }
        case FieldKind::kRadio: {
            bool known = false;
            for (const Choice& choice : field.choices)
                known = known || text == choice.value;
            if (!known)
                return false;
            break;
        }
        case FieldKind::kAddress:
            if (!IsDottedAddress(text))
                return false;
            break;
        case FieldKind::kCheck:
            break;
    }
    values->Set(field.name, text);
    return true;
}

std::vector<std::string> ListItems(ui::CDialog& page, int id) {
    std::vector<std::string> items;
    for (int i = 0; i < page.GetItemCount(id); ++i)
        items.push_back(page.GetLBText(id, i));
    return items;
}

// The page hears of an entry as the operator makes it. A control it does not offer now (a
// channel the network picks) takes the value all the same, but no operator could have acted on
// it, so the page's handler, which may offer other controls, does not run.
void Notify(ui::CDialog& page, int id, int code) {
    if (page.IsItemEnabled(id))
        page.OnCommand(id, code);
}

// Sets one control as the operator would, then runs what the page does on that action. False
// when a list lacks the entry.
bool ApplyField(ui::CDialog& page, const Field& field, const std::string& value) {
    switch (field.kind) {
        case FieldKind::kText:
            page.SetItemText(field.id, value);
            Notify(page, field.id, ui::kEnKillFocus);
            return true;
        case FieldKind::kList: {
            const int index = IndexOf(ListItems(page, field.id), value);
            if (index < 0)
                return false;
            page.SetCurSel(field.id, index);
            Notify(page, field.id, ui::kCbnSelChange);
            return true;
        }
        case FieldKind::kCheck:
            page.SetCheck(field.id, value == "true" ? 1 : 0);
            Notify(page, field.id, ui::kBnClicked);
            return true;
        case FieldKind::kRadio:
            // A button the page does not offer for the mode loaded before it is one no operator
            // could choose: the page keeps its own.
            for (const Choice& choice : field.choices) {
                if (value == choice.value && page.IsItemEnabled(choice.id)) {
                    for (const Choice& other : field.choices)
                        page.SetCheck(other.id, other.id == choice.id ? 1 : 0);
                    page.OnCommand(choice.id, ui::kBnClicked);
                }
            }
            return true;
        case FieldKind::kAddress:
            page.SetAddress(field.id, entry::ParseDottedAddress(value));
            return true;
    }
    return false;
}

json ReadField(ui::CDialog& page, const Field& field) {
    switch (field.kind) {
        case FieldKind::kText:
            return page.GetItemText(field.id);
        case FieldKind::kList: {
            // No entry chosen: the setting is not known, which no entry's text may stand for.
            const int index = page.GetCurSel(field.id);
            return index < 0 ? json() : json(page.GetLBText(field.id, index));
        }
        case FieldKind::kCheck:
            return page.GetCheck(field.id) != 0;
        case FieldKind::kRadio:
            for (const Choice& choice : field.choices) {
                if (page.GetCheck(choice.id))
                    return choice.value;
            }
            return json();
        case FieldKind::kAddress:
            return ui::DottedAddress(page.GetAddress(field.id));
    }
    return json();
}

}  // namespace

std::string SaveProfile(ui::CDialog& page, const Family& family, bool includeKey,
                        std::string* text) {
    json settings = json::object();
    for (const Field& field : family.fields) {
        if (field.key && !includeKey)
            continue;
        json value = ReadField(page, field);
        // A radio group with none checked is left out; a list with no entry is written as null.
        if (value.is_null() && field.kind != FieldKind::kList)
            continue;
        // JSON holds UTF-8 text only; a key of raw bytes has no place in it.
        try {
            value.dump();
        } catch (const json::type_error&) {
            return std::string("The \"") + field.name +
                   "\" setting holds characters a profile cannot keep.";
        }
        settings[field.name] = std::move(value);
    }
    if (!includeKey)
        settings[kKeyLeftOut] = true;
    json file = json::object();
    file["format"] = kFormatName;
    file["version"] = kFormatVersion;
    file["family"] = family.name;
    file["settings"] = std::move(settings);
    *text = file.dump(2) + "\n";
    return std::string();
}

void AddNotWritten(std::vector<Unproven>* unproven, std::initializer_list<const char*> settings,
                   const char* reason) {
    for (const char* setting : settings)
        unproven->push_back({setting, Unproven::Kind::kNotWritten, reason});
}

std::string OtherFamilyMessage(const std::string& name) {
    for (const auto& family : kFamilies) {
        if (name == family.name)
            return std::string("This file holds settings for a ") + family.printer + " printer.";
    }
    return "This file holds settings for a printer family (" + Quoted(name) +
           ") that this utility does not know.";
}

std::string ReadProfileFamily(const std::string& text, std::string* family) {
    if (NestsDeeperThan(text, kMaxNesting))
        return kNotAProfile;
    const json file = json::parse(text, nullptr, false);
    if (!file.is_object() || file.value("format", json()) != kFormatName)
        return kNotAProfile;
    const json version = file.value("version", json());
    if (version != kFormatVersion)
        return "This profile has a format version (" + version.dump() +
               ") that this utility does not know.";
    const json familyName = file.value("family", json());
    if (!familyName.is_string())
        return kNotAProfile;
    const std::string name = familyName.get<std::string>();
    const auto known = std::find_if(std::begin(kFamilies), std::end(kFamilies),
                                    [&](const auto& f) { return name == f.name; });
    if (known == std::end(kFamilies))
        return OtherFamilyMessage(name);
    const json settings = file.value("settings", json());
    if (!settings.is_object())
        return kNotAProfile;
    for (auto it = settings.begin(); it != settings.end(); ++it) {
        const std::string refusal = ShapeRefusal(it.key(), it.value());
        if (!refusal.empty())
            return refusal;
    }
    *family = name;
    return std::string();
}

namespace {

// Takes the profile's settings into *values, with every check that needs no page.
std::string TakeProfile(const ui::DialogDesc& desc, const Family& family, const std::string& text,
                        ValueMap* values) {
    std::string familyName;
    const std::string refusal = ReadProfileFamily(text, &familyName);
    if (!refusal.empty())
        return refusal;
    if (familyName != family.name)
        return OtherFamilyMessage(familyName);
    const json settings = json::parse(text).at("settings");
    for (const Field& field : family.fields) {
        auto it = settings.find(field.name);
        if (it != settings.end() && !TakeField(desc, field, *it, values))
            return Refusal(field.name);
    }
    if (family.check != nullptr) {
        const std::string fault = family.check(*values);
        if (!fault.empty())
            return Refusal(fault);
    }
    return std::string();
}

}  // namespace

std::string CheckProfile(const ui::DialogDesc& desc, const Family& family,
                         const std::string& text) {
    ValueMap values;
    return TakeProfile(desc, family, text, &values);
}

std::string KeySetting(const Family& family, const std::string& text) {
    const json settings = json::parse(text, nullptr, false).value("settings", json::object());
    ValueMap values;
    for (auto it = settings.begin(); settings.is_object() && it != settings.end(); ++it) {
        if (it.value().is_string())
            values.Set(it.key().c_str(), it.value().get<std::string>());
    }
    if (family.keySetting != nullptr) {
        const char* name = family.keySetting(values);
        return name == nullptr ? std::string() : name;
    }
    for (const Field& field : family.fields) {
        if (field.key)
            return field.name;
    }
    return std::string();
}

std::string LoadProfile(ui::CDialog& page, const Family& family, const std::string& text) {
    ValueMap values;
    const std::string refusal = TakeProfile(page.Desc(), family, text, &values);
    if (!refusal.empty())
        return refusal;
    for (const Field& field : family.fields) {
        const std::string* value = values.Get(field.name);
        if (value != nullptr && !ApplyField(page, field, *value))
            return Refusal(field.name);
    }
    return std::string();
}

}  // namespace profile
