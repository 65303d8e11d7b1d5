// A fleet's inventory: a CSV file with a row per printer, chosen by the printer's MAC address or
// by its port.
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
// An inventory by port names its port column first; a later "port" column is the printer's own
// network port, a setting. The first is renamed in upper case, which no lowered header holds.
constexpr const char* kPortColumn = "port";
constexpr const char* kPortKey = "PORT";
// Where the printer is on its network when DHCP gives its address, for --verify.
constexpr const char* kAddressColumn = "address";
constexpr size_t kFirstSetting = 2;

// The most columns a row may name: every setting of the largest family, the MAC address and the
// address.
constexpr unsigned kMaxColumns = 48;
using Row = std::array<std::string, kMaxColumns>;
using Trim = io::trim_chars<' ', '\t'>;
using Quotes = io::double_quote_escape<',', '"'>;
using Reader = io::CSVReader<kMaxColumns, Trim, Quotes>;

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

// Where the header's first cell, quoted or not, is "port"; npos when it is not.
size_t LeadingPort(const std::string& text) {
    size_t at = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    at = text.find_first_not_of(" \t", at);
    if (at == std::string::npos)
        return at;
    const size_t quote = text[at] == '"' ? 1 : 0;
    const size_t port = at + quote;
    if (text.compare(port, 4, kPortColumn) != 0 ||
        (quote == 1 && text.compare(port + 4, 1, "\"") != 0))
        return std::string::npos;
    const size_t end = text.find_first_not_of(" \t", port + 4 + quote);
    if (end != std::string::npos && text[end] != ',' && text[end] != '\r' && text[end] != '\n')
        return std::string::npos;
    return port;
}

// Whether the header has a "mac" column anywhere: such an inventory is by MAC address, whatever
// its first column. A header the library refuses is left for the full read to refuse.
bool NamesMac(const std::string& name, const std::string& text) {
    try {
        io::CSVReader<1, Trim, Quotes> reader(name, text.data(), text.data() + text.size());
        reader.read_header(io::ignore_extra_column | io::ignore_missing_column, kMacColumn);
        return reader.has_column(kMacColumn);
    } catch (const io::error::base&) {
        return true;
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
    name_ = name;
    const std::string refusal = ReadRows(std::move(text), family, desc, profileText);
    // A refused inventory gives no printer a row, not even those before the one at fault.
    if (!refusal.empty()) {
        profiles_.clear();
        addresses_.clear();
        portOnRow_.clear();
    }
    return refusal;
}

std::string CInventory::ReadRows(std::string text, const profile::Family& family,
                                 const ui::DialogDesc& desc, const std::string& profileText) {
    const std::string& name = name_;
    if (text.find('\0') != std::string::npos)
        return name + " is not a CSV file: it holds a NUL byte";
    LowerHeader(text);
    const size_t leadingPort = LeadingPort(text);
    byPort_ = leadingPort != std::string::npos && !NamesMac(name, text);
    if (byPort_)
        text.replace(leadingPort, 4, kPortKey);
    const char* keyColumn = byPort_ ? kPortColumn : kMacColumn;
    Row names;
    size_t count = 0;
    names[count++] = byPort_ ? kPortKey : kMacColumn;
    names[count++] = kAddressColumn;
    for (const profile::Field& field : family.fields)
        names[count++] = field.name;
    // The columns no setting has are named so that no header can name them.
    for (size_t i = count; i < kMaxColumns; ++i)
        names[i] = "\n" + std::to_string(i);
    const json profileFile = json::parse(profileText);
    try {
        Reader reader(name, text.data(), text.data() + text.size());
        ReadHeader(reader, names, std::make_index_sequence<kMaxColumns>());
        if (!reader.has_column(names[0]))
            return name + " has no \"mac\" column, nor \"port\" as its first";
        std::map<std::string, unsigned> rowOf;
        for (Row cells; std::apply([&](auto&... c) { return reader.read_row(c...); }, cells);
             cells = Row()) {
            const unsigned row = reader.get_file_line();
            const std::string where = name + " row " + std::to_string(row);
            const std::string at = where + ", column " + keyColumn + ": ";
            const std::string key = byPort_ ? cells[0] : MacKey(cells[0]);
            if (key.empty())
                return at + "\"" + cells[0] + "\" is not " + (byPort_ ? "a port" : "a MAC address");
            if (!rowOf.emplace(key, row).second)
                return at + cells[0] + " is also on row " + std::to_string(rowOf[key]);
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
            profiles_[key] = std::move(merged);
            if (!cells[1].empty())
                addresses_[key] = cells[1];
            if (byPort_)
                portOnRow_[row] = key;
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

std::string CInventory::CheckPorts(const std::vector<std::string>& ports) const {
    for (const auto& [row, port] : portOnRow_) {
        if (std::find(ports.begin(), ports.end(), port) == ports.end())
            return name_ + " row " + std::to_string(row) + ", column port: " + port +
                   " is not among the ports given";
    }
    return std::string();
}

std::string CInventory::KeyOf(const std::string& port, const std::string& mac) const {
    return byPort_ ? port : MacKey(mac);
}

bool CInventory::ProfileFor(const std::string& port, const std::string& mac,
                            std::string* profileText) const {
    const auto it = profiles_.find(KeyOf(port, mac));
    if (it == profiles_.end())
        return false;
    *profileText = it->second;
    return true;
}

std::string CInventory::AddressFor(const std::string& port, const std::string& mac) const {
    const auto it = addresses_.find(KeyOf(port, mac));
    return it == addresses_.end() ? std::string() : it->second;
}
