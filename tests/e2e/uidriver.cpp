// Drives another process's dialogs for the end-to-end tests: one command per stdin line, one reply.
//
// Replies are "ok [VALUE]" or "err REASON". Window handles are hex numbers. Texts in replies are
// UTF-8 with \\, \n, \r and \t escaped, so every reply is exactly one line; lists are
// tab-separated.
//
//   wait MS CAPTION         top-level window with exactly this caption -> ok HWND
//                           (the first one also picks the process that later commands look at)
//   gone MS HWND            waits until the window no longer exists -> ok
//   click HWND ID           a button click (auto radio buttons through BM_CLICK); refused when
//                           the control is disabled or hidden
//   select HWND ID INDEX    combo selection as the operator makes it (CBN_SELCHANGE); a list
//                           view's row chosen
//   settext HWND ID TEXT    edit text, then the focus leaves it (EN_KILLFOCUS)
//   text HWND ID            static/edit text, a combo's selected item; ID 0: the window's caption
//   items HWND ID           a combo's items; a list view's rows, columns tab-separated
//   state HWND ID           -> ok ENABLED VISIBLE CHECKED (each 0 or 1); ID 0: the window itself
//   client HWND             -> ok WIDTH HEIGHT
//   msgbox MS               a message box of the process -> ok HWND TEXT
//   answer HWND ID          presses a dialog's button by command id (1 OK, 2 cancel, 6 yes, 7 no)
//   windows                 visible top-level windows of the process -> HWND:CLASS:CAPTION ...
//   children HWND           the window's controls -> ID:CLASS:TEXT ...
//   syscommand HWND CMD     posts WM_SYSCOMMAND
//   menu HWND ID            posts a menu command
//   close HWND              posts WM_CLOSE
//   key HWND VK             posts a key press to the window's focused control (or the window)
//   dacl PATH               a file's access list as SDDL (the owner's SID as OW) -> ok SDDL
//   quit
#include <windows.h>

#include <aclapi.h>
#include <commctrl.h>
#include <sddl.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr UINT kSendTimeoutMs = 5000;
constexpr DWORD kPollMs = 50;

DWORD g_pid = 0;            // process whose windows the commands look at
std::set<HWND> g_known;     // windows found by caption: not message boxes
std::set<HWND> g_answered;  // message boxes already answered, possibly still closing

std::string Utf8(const std::wstring& text) {
    if (text.empty())
        return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr,
                        nullptr);
    return out;
}

std::wstring Wide(const std::string& text) {
    if (text.empty())
        return {};
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
    return out;
}

std::string Escape(const std::wstring& text) {
    std::string out;
    for (char c : Utf8(text)) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string HandleText(HWND hwnd) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%lx",
                  static_cast<unsigned long>(reinterpret_cast<uintptr_t>(hwnd)));
    return buf;
}

bool Send(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, DWORD_PTR* result) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                               result ? result : &ignored) != 0;
}

std::wstring WindowText(HWND hwnd) {
    DWORD_PTR length = 0;
    if (!Send(hwnd, WM_GETTEXTLENGTH, 0, 0, &length))
        return {};
    std::vector<wchar_t> buf(length + 1, L'\0');
    DWORD_PTR copied = 0;
    Send(hwnd, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()), &copied);
    return std::wstring(buf.data(), copied < buf.size() ? copied : buf.size() - 1);
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[256] = {};
    GetClassNameW(hwnd, name, 256);
    return name;
}

bool IsCombo(HWND ctl) {
    return _wcsicmp(ClassOf(ctl).c_str(), L"ComboBox") == 0;
}

std::wstring ComboItem(HWND combo, WPARAM index) {
    DWORD_PTR length = 0;
    if (!Send(combo, CB_GETLBTEXTLEN, index, 0, &length) ||
        length == static_cast<DWORD_PTR>(CB_ERR))
        return {};
    std::vector<wchar_t> buf(length + 1, L'\0');
    Send(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buf.data()), nullptr);
    return buf.data();
}

bool IsListView(HWND ctl) {
    return _wcsicmp(ClassOf(ctl).c_str(), WC_LISTVIEWW) == 0;
}

// A list view's messages take an LVITEMW by address, which must lie in the list's own process:
// the item and its text buffer are placed there for the call, then read back.
class RemoteListItem {
  public:
    static constexpr int kChars = 512;

    explicit RemoteListItem(HWND list) {
        DWORD pid = 0;
        GetWindowThreadProcessId(list, &pid);
        process_ =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_ != nullptr)
            memory_ = static_cast<char*>(
                VirtualAllocEx(process_, nullptr, kSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    }
    ~RemoteListItem() {
        if (memory_ != nullptr)
            VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
        if (process_ != nullptr)
            CloseHandle(process_);
    }
    RemoteListItem(const RemoteListItem&) = delete;
    RemoteListItem& operator=(const RemoteListItem&) = delete;

    // Sends msg with the item, as given, in the list's process; the text it then holds.
    bool Send(HWND list, UINT msg, WPARAM wp, LVITEMW item, std::wstring* text) {
        if (memory_ == nullptr)
            return false;
        item.pszText = reinterpret_cast<LPWSTR>(memory_ + sizeof(LVITEMW));
        item.cchTextMax = kChars;
        wchar_t buffer[kChars] = {};
        if (!WriteProcessMemory(process_, memory_, &item, sizeof item, nullptr) ||
            !WriteProcessMemory(process_, item.pszText, buffer, sizeof buffer, nullptr) ||
            !::Send(list, msg, wp, reinterpret_cast<LPARAM>(memory_), nullptr))
            return false;
        if (text == nullptr)
            return true;
        if (!ReadProcessMemory(process_, item.pszText, buffer, sizeof buffer - sizeof buffer[0],
                               nullptr))
            return false;
        *text = buffer;
        return true;
    }

  private:
    static constexpr SIZE_T kSize = sizeof(LVITEMW) + kChars * sizeof(wchar_t);
    HANDLE process_ = nullptr;
    char* memory_ = nullptr;
};

// A list view's row, its columns separated by tabs.
std::wstring ListRow(HWND list, WPARAM row) {
    DWORD_PTR header = 0, columns = 0;
    Send(list, LVM_GETHEADER, 0, 0, &header);
    Send(reinterpret_cast<HWND>(header), HDM_GETITEMCOUNT, 0, 0, &columns);
    RemoteListItem remote(list);
    std::wstring out;
    for (DWORD_PTR column = 0; column < columns; ++column) {
        LVITEMW item = {};
        item.iSubItem = static_cast<int>(column);
        std::wstring cell;
        remote.Send(list, LVM_GETITEMTEXTW, row, item, &cell);
        out += (column ? L"\t" : L"") + cell;
    }
    return out;
}

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lp) {
    reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
    return TRUE;
}

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> all;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&all));
    return all;
}

DWORD ProcessOf(HWND hwnd) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    return pid;
}

// Waits until find() returns a window or the time is up.
template <typename Find>
HWND Poll(DWORD ms, Find find) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND hwnd = find())
            return hwnd;
        if (GetTickCount() - start >= ms)
            return nullptr;
        Sleep(kPollMs);
    }
}

HWND FindByCaption(const std::wstring& caption) {
    for (HWND hwnd : TopLevelWindows()) {
        if (hwnd == GetConsoleWindow())
            continue;
        if (g_pid != 0 && ProcessOf(hwnd) != g_pid)
            continue;
        if (IsWindowVisible(hwnd) && WindowText(hwnd) == caption)
            return hwnd;
    }
    return nullptr;
}

HWND FindMessageBox() {
    for (HWND hwnd : TopLevelWindows()) {
        if (g_pid == 0 || ProcessOf(hwnd) != g_pid || !IsWindowVisible(hwnd))
            continue;
        if (g_known.count(hwnd) || g_answered.count(hwnd))
            continue;
        if (ClassOf(hwnd) == L"#32770" && GetDlgItem(hwnd, 0xFFFF) != nullptr)
            return hwnd;
    }
    return nullptr;
}

bool ParseHandle(const std::string& text, HWND* hwnd) {
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text.c_str(), &end, 16);
    if (text.empty() || *end != '\0')
        return false;
    *hwnd = reinterpret_cast<HWND>(static_cast<uintptr_t>(value));
    return IsWindow(*hwnd) != 0;
}

std::string Rest(std::istringstream& in) {
    std::string rest;
    std::getline(in, rest);
    if (!rest.empty() && rest.front() == ' ')
        rest.erase(0, 1);
    return rest;
}

// Runs one command line and returns the reply.
std::string Run(const std::string& line, bool* quit) {
    std::istringstream in(line);
    std::string cmd;
    in >> cmd;
    if (cmd == "quit") {
        *quit = true;
        return "ok";
    }
    if (cmd == "wait") {
        DWORD ms = 0;
        in >> ms;
        const std::wstring caption = Wide(Rest(in));
        HWND hwnd = Poll(ms, [&] { return FindByCaption(caption); });
        if (!hwnd)
            return "err timeout";
        if (g_pid == 0)
            g_pid = ProcessOf(hwnd);
        g_known.insert(hwnd);
        return "ok " + HandleText(hwnd);
    }
    if (cmd == "dacl") {
        const std::wstring path = Wide(Rest(in));
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                  nullptr, nullptr, nullptr, &descriptor) != ERROR_SUCCESS)
            return "err cannot read the file's security";
        LPWSTR sddl = nullptr;
        ConvertSecurityDescriptorToStringSecurityDescriptorW(
            descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &sddl, nullptr);
        LocalFree(descriptor);
        if (sddl == nullptr)
            return "err cannot write the security as SDDL";
        const std::string text = Escape(sddl);
        LocalFree(sddl);
        return "ok " + text;
    }
    if (cmd == "msgbox") {
        DWORD ms = 0;
        in >> ms;
        HWND box = Poll(ms, FindMessageBox);
        if (!box)
            return "err timeout";
        return "ok " + HandleText(box) + " " + Escape(WindowText(GetDlgItem(box, 0xFFFF)));
    }
    if (cmd == "windows") {
        std::string out = "ok";
        for (HWND hwnd : TopLevelWindows()) {
            if (g_pid == 0 || ProcessOf(hwnd) != g_pid || !IsWindowVisible(hwnd))
                continue;
            out += (out == "ok" ? " " : "\t") + HandleText(hwnd) + ":" + Escape(ClassOf(hwnd)) +
                   ":" + Escape(WindowText(hwnd));
        }
        return out;
    }

    // The remaining commands name a window first.
    std::string handle;
    HWND hwnd = nullptr;
    in >> handle;
    if (cmd == "gone") {
        // "gone MS HWND": the number came first.
        const DWORD ms = static_cast<DWORD>(std::strtoul(handle.c_str(), nullptr, 10));
        std::string target;
        in >> target;
        if (!ParseHandle(target, &hwnd))
            return "ok";
        // Poll stops at the first non-null answer: here, the moment the window has gone.
        const HWND gone = Poll(ms, [&] { return IsWindow(hwnd) ? nullptr : HWND_BROADCAST; });
        return gone ? "ok" : "err timeout";
    }
    if (!ParseHandle(handle, &hwnd))
        return "err no such window";

    if (cmd == "children") {
        std::string out = "ok";
        for (HWND ctl = GetWindow(hwnd, GW_CHILD); ctl; ctl = GetWindow(ctl, GW_HWNDNEXT)) {
            out += (out == "ok" ? " " : "\t") + std::to_string(GetDlgCtrlID(ctl) & 0xFFFF) + ":" +
                   Escape(ClassOf(ctl)) + ":" + Escape(WindowText(ctl));
        }
        return out;
    }
    if (cmd == "client") {
        RECT rc{};
        if (!GetClientRect(hwnd, &rc))
            return "err client rect";
        return "ok " + std::to_string(rc.right - rc.left) + " " +
               std::to_string(rc.bottom - rc.top);
    }
    if (cmd == "syscommand" || cmd == "menu") {
        unsigned long value = 0;
        if (!(in >> value))
            return "err usage";
        if (cmd == "syscommand") {
            PostMessageW(hwnd, WM_SYSCOMMAND, value, 0);
        } else {
            PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(value, 0), 0);
        }
        return "ok";
    }
    if (cmd == "close") {
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
        return "ok";
    }
    if (cmd == "key") {
        unsigned long vk = 0;
        if (!(in >> vk))
            return "err usage";
        // The key goes where the keyboard would send it, so a dialog's own keyboard handling
        // (IsDialogMessage and its filters) sees it as a real key press.
        HWND target = hwnd;
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &info) && info.hwndFocus &&
            (info.hwndFocus == hwnd || IsChild(hwnd, info.hwndFocus)))
            target = info.hwndFocus;
        const UINT scan = MapVirtualKeyW(static_cast<UINT>(vk), MAPVK_VK_TO_VSC);
        PostMessageW(target, WM_KEYDOWN, vk, static_cast<LPARAM>(1 | (scan << 16)));
        PostMessageW(target, WM_KEYUP, vk, static_cast<LPARAM>(1 | (scan << 16) | 0xC0000000u));
        return "ok";
    }

    int id = 0;
    if (!(in >> id))
        return "err usage";
    if (cmd == "answer") {
        g_answered.insert(hwnd);
        PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(hwnd, id)));
        return "ok";
    }
    if (cmd == "text" && id == 0)
        return "ok " + Escape(WindowText(hwnd));
    if (cmd == "state" && id == 0)
        return std::string("ok ") + (IsWindowEnabled(hwnd) ? "1" : "0") + " " +
               (IsWindowVisible(hwnd) ? "1" : "0") + " 0";

    HWND ctl = GetDlgItem(hwnd, id);
    if (!ctl)
        return "err no control " + std::to_string(id);

    if (cmd == "state") {
        DWORD_PTR check = 0;
        Send(ctl, BM_GETCHECK, 0, 0, &check);
        return std::string("ok ") + (IsWindowEnabled(ctl) ? "1" : "0") + " " +
               (IsWindowVisible(ctl) ? "1" : "0") + " " + (check == BST_CHECKED ? "1" : "0");
    }
    if (cmd == "text") {
        if (IsCombo(ctl)) {
            DWORD_PTR sel = 0;
            Send(ctl, CB_GETCURSEL, 0, 0, &sel);
            if (sel == static_cast<DWORD_PTR>(CB_ERR))
                return "ok ";
            return "ok " + Escape(ComboItem(ctl, sel));
        }
        return "ok " + Escape(WindowText(ctl));
    }
    if (cmd == "items" && IsListView(ctl)) {
        DWORD_PTR count = 0;
        Send(ctl, LVM_GETITEMCOUNT, 0, 0, &count);
        std::string out = "ok";
        for (DWORD_PTR i = 0; i < count; ++i)
            out += (i ? "\t" : " ") + Escape(ListRow(ctl, i));
        return out;
    }
    if (cmd == "items") {
        DWORD_PTR count = 0;
        if (!Send(ctl, CB_GETCOUNT, 0, 0, &count) || count == static_cast<DWORD_PTR>(CB_ERR))
            return "err not a list";
        std::string out = "ok";
        for (DWORD_PTR i = 0; i < count; ++i)
            out += (i ? "\t" : " ") + Escape(ComboItem(ctl, i));
        return out;
    }
    // What the operator does: refused where a real click or choice could not happen.
    if (!IsWindowEnabled(ctl) || !IsWindowVisible(ctl))
        return "err control disabled or hidden";
    if (cmd == "click") {
        const LONG type = GetWindowLongW(ctl, GWL_STYLE) & BS_TYPEMASK;
        if (type == BS_AUTORADIOBUTTON || type == BS_AUTOCHECKBOX) {
            PostMessageW(ctl, BM_CLICK, 0, 0);  // the button moves its check and notifies
        } else {
            PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                         reinterpret_cast<LPARAM>(ctl));
        }
        return "ok";
    }
    if (cmd == "select" && IsListView(ctl)) {
        int index = 0;
        DWORD_PTR count = 0;
        if (!(in >> index))
            return "err usage";
        if (!Send(ctl, LVM_GETITEMCOUNT, 0, 0, &count) || index < 0 ||
            static_cast<DWORD_PTR>(index) >= count)
            return "err no item " + std::to_string(index);
        LVITEMW item = {};
        item.state = item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        return RemoteListItem(ctl).Send(ctl, LVM_SETITEMSTATE, static_cast<WPARAM>(index), item,
                                        nullptr)
                   ? "ok"
                   : "err select";
    }
    if (cmd == "select") {
        int index = 0;
        if (!(in >> index))
            return "err usage";
        DWORD_PTR result = 0;
        if (!Send(ctl, CB_SETCURSEL, static_cast<WPARAM>(index), 0, &result) ||
            result == static_cast<DWORD_PTR>(CB_ERR))
            return "err no item " + std::to_string(index);
        PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(ctl));
        return "ok";
    }
    if (cmd == "settext") {
        const std::wstring text = Wide(Rest(in));
        if (!Send(ctl, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), nullptr))
            return "err settext";
        PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(id, EN_KILLFOCUS), reinterpret_cast<LPARAM>(ctl));
        return "ok";
    }
    return "err unknown command";
}

}  // namespace

int wmain() {
    char buf[4096];
    bool quit = false;
    while (!quit && std::fgets(buf, sizeof buf, stdin)) {
        std::string line(buf);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
        if (line.empty())
            continue;
        std::printf("%s\n", Run(line, &quit).c_str());
        std::fflush(stdout);
    }
    return 0;
}
