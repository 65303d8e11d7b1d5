// A fleet's inventory: a CSV file with a row per printer, chosen by the printer's MAC address.
#include "cli/inventory.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cctype>
#include <limits>  // the CSV reader needs it and does not include it
#include <utility>

#include "provision/mac_address.h"
#include "ui/dialog.h"

// One small file, read whole: no reader thread.
#define CSV_IO_NO_THREAD
#include <libfccp/csv.h>

namespace {

using nlohmann::json;

constexpr const char* kMacColumn = "mac";
// Where the printer is on its network when DHCP gives its address, for --verify.
constexpr const char* kAddressColumn = "address";
constexpr size_t kFirstSetting = 2;

// The most columns a row may name: every setting of the largest family, the MAC address and the
// address.
constexpr unsigned kMaxColumns = 48;
using Row = std::array<std::string, kMaxColumns>;
using Reader =
    io::CSVReader<kMaxColumns, io::trim_chars<' ', '\t'>, io::double_quote_escape<',', '"'>>;

template <size_t... I>
void ReadHeader(Reader& reader, const Row& names, std::index_sequence<I...>) {
    reader.read_header(io::ignore_missing_column, names[I]...);
}

// Column names match in any case; the settings' own names are lowercase.
void LowerHeader(std::string& text) {
    for (char& c : text) {
        if (c == '\n')
            break;
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
}

bool IsTrue(std::string text, bool* value) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    *value = text == "true";
    return *value || text == "false";
}

}  // namespace

std::string CInventory::Parse(const std::string& name, std::string text,
                              const profile::Family& family, const ui::DialogDesc& desc,
                              const std::string& profileText) {
    if (text.find('\0') != std::string::npos)
        return name + " is not a CSV file: it holds a NUL byte";
    Row names;
    size_t count = 0;
    names[count++] = kMacColumn;
    names[count++] = kAddressColumn;
    for (const profile::Field& field : family.fields)
        names[count++] = field.name;
    // The columns no setting has are named so that no header can name them.
    for (size_t i = count; i < kMaxColumns; ++i)
        names[i] = "\n" + std::to_string(i);
    LowerHeader(text);
    const json profileFile = json::parse(profileText);
    try {
        Reader reader(name, text.data(), text.data() + text.size());
        ReadHeader(reader, names, std::make_index_sequence<kMaxColumns>());
        if (!reader.has_column(kMacColumn))
            return name + " has no \"mac\" column";
        std::map<std::string, unsigned> rowOf;
        for (Row cells; std::apply([&](auto&... c) { return reader.read_row(c...); }, cells);
             cells = Row()) {
            const unsigned row = reader.get_file_line();
            const std::string where = name + " row " + std::to_string(row);
            const std::string mac = MacKey(cells[0]);
            if (mac.empty())
                return where + ", column mac: \"" + cells[0] + "\" is not a MAC address";
            if (!rowOf.emplace(mac, row).second)
                return where + ", column mac: " + cells[0] + " is also on row " +
                       std::to_string(rowOf[mac]);
            if (!cells[1].empty() && !IsIpv4(cells[1]))
                return where + ", column address: \"" + cells[1] + "\" is not an IPv4 address";
            json file = profileFile;
            for (size_t i = kFirstSetting; i < count; ++i) {
                if (cells[i].empty())
                    continue;
                const profile::Field& field = family.fields[i - kFirstSetting];
                bool tick = false;
                if (field.kind == profile::FieldKind::kCheck && !IsTrue(cells[i], &tick))
                    return where + ", column " + field.name + ": \"" + cells[i] +
                           "\" is neither true nor false";
                file["settings"][field.name] =
                    field.kind == profile::FieldKind::kCheck ? json(tick) : json(cells[i]);
            }
            std::string merged;
            try {
                merged = file.dump(2) + "\n";
            } catch (const json::type_error&) {
                return where + ": a cell is not UTF-8 text";
            }
            const std::string refusal = profile::CheckProfile(desc, family, merged);
            if (!refusal.empty())
                return where + ": " + refusal;
            profiles_[mac] = std::move(merged);
            if (!cells[1].empty())
                addresses_[mac] = cells[1];
        }
    } catch (const io::error::base& e) {
        // The library's messages name the file, the line and the column at fault.
        std::string message = e.what();
        std::replace(message.begin(), message.end(), '\n', ' ');
        return message;
    }
    if (profiles_.empty())
        return name + " has no printer rows";
    return std::string();
}

bool CInventory::ProfileFor(const std::string& mac, std::string* profileText) const {
    const auto it = profiles_.find(MacKey(mac));
    if (it == profiles_.end())
        return false;
    *profileText = it->second;
    return true;
}

std::string CInventory::AddressFor(const std::string& mac) const {
    const auto it = addresses_.find(MacKey(mac));
    return it == addresses_.end() ? std::string() : it->second;
}
