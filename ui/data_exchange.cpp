// Two-way exchange between a dialog's held values and its controls.
#include "ui/data_exchange.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "ui/dialog.h"

namespace ui {

namespace {

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    if (prefix.size() > text.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    }
    return true;
}

}  // namespace

bool ParseUnsigned(const std::string& text, uint32_t* value) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    size_t end = text.size();
    while (end > i && std::isspace(static_cast<unsigned char>(text[end - 1])))
        --end;
    if (i == end)
        return false;
    uint64_t result = 0;
    for (; i < end; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return false;
        result = result * 10 + static_cast<uint64_t>(text[i] - '0');
        if (result > UINT32_MAX)
            return false;
    }
    *value = static_cast<uint32_t>(result);
    return true;
}

std::string DottedAddress(uint32_t address) {
    return std::to_string(address >> 24) + "." + std::to_string((address >> 16) & 0xFF) + "." +
           std::to_string((address >> 8) & 0xFF) + "." + std::to_string(address & 0xFF);
}

int CharacterCount(const std::string& text) {
    int count = 0;
    for (unsigned char c : text) {
        if ((c & 0xC0) != 0x80)
            ++count;
    }
    return count;
}

CDataExchange::CDataExchange(CDialog& dialog, bool saveAndValidate)
    : dialog_(dialog), save_(saveAndValidate) {}

CDataExchange::CDataExchange(CDialog& dialog, bool saveAndValidate, std::vector<int> owned)
    : dialog_(dialog), save_(saveAndValidate), partial_(true), owned_(std::move(owned)) {}

CDataExchange::Step CDataExchange::StepFor(int id) const {
    if (partial_ && std::find(owned_.begin(), owned_.end(), id) == owned_.end())
        return Step::kTakeQuietly;
    if (failed_)
        return Step::kNone;
    return save_ ? Step::kTake : Step::kShow;
}

void CDataExchange::Fail(int id, const std::string& message) {
    failed_ = true;
    AfxMessageBox(message);
    dialog_.GotoDlgCtrl(id);
}

void CDataExchange::Text(int id, std::string& value, int maxChars) {
    const Step step = StepFor(id);
    if (step == Step::kNone)
        return;
    if (step == Step::kShow) {
        if (maxChars > 0)
            dialog_.SetLimitText(id, maxChars);
        dialog_.SetItemText(id, value);
        return;
    }
    std::string text = dialog_.GetItemText(id);
    if (maxChars > 0 && CharacterCount(text) > maxChars) {
        if (step == Step::kTake)
            Fail(id, "Enter no more than " + std::to_string(maxChars) + " characters.");
        return;
    }
    value = text;
}

void CDataExchange::Number(int id, uint32_t& value) {
    const Step step = StepFor(id);
    if (step == Step::kNone)
        return;
    if (step == Step::kShow) {
        dialog_.SetItemText(id, std::to_string(value));
        return;
    }
    uint32_t number = 0;
    if (ParseUnsigned(dialog_.GetItemText(id), &number)) {
        value = number;
    } else if (step == Step::kTake) {
        Fail(id, "Enter a positive integer.");
    }
}

void CDataExchange::ComboText(int id, std::string& value) {
    const Step step = StepFor(id);
    if (step == Step::kNone)
        return;
    if (step != Step::kShow) {
        const int selected = dialog_.GetCurSel(id);
        value = selected < 0 ? std::string() : dialog_.GetLBText(id, selected);
        return;
    }
    // An exact match wins over the first item that merely starts with the text.
    const int count = dialog_.GetItemCount(id);
    int prefixMatch = -1;
    for (int i = 0; i < count; ++i) {
        const std::string item = dialog_.GetLBText(id, i);
        if (item.size() == value.size() && StartsWithNoCase(item, value)) {
            dialog_.SetCurSel(id, i);
            return;
        }
        if (prefixMatch < 0 && StartsWithNoCase(item, value))
            prefixMatch = i;
    }
    if (prefixMatch >= 0)
        dialog_.SetCurSel(id, prefixMatch);
}

void CDataExchange::Address(int id, uint32_t& value) {
    const Step step = StepFor(id);
    if (step == Step::kNone)
        return;
    if (step == Step::kShow) {
        dialog_.SetAddress(id, value);
    } else {
        value = dialog_.GetAddress(id);
    }
}

}  // namespace ui
