// What the three printer pages share: how they close, receive their bytes and reach the panel.
#include "app/printer_page.h"

#include <vector>

CPrinterPage::CPrinterPage(const ui::DialogDesc& desc, unsigned pageMessage)
    : ui::CDialog(desc), pageMessage_(pageMessage) {
    SetSwallowsEnter(true);
}

bool CPrinterPage::OnSysCommand(unsigned command) {
    if ((command & 0xFFF0) == ui::kScClose) {
        // The close box drops the link first, then the default handling closes the page.
        if (CPanel* panel = ThePanel())
            panel->OnBnClickedClose();
        ShowMinimized();
    }
    return false;
}

void CPrinterPage::OnMessage(const ui::Message& message) {
    if (message.id != pageMessage_ || message.payload.empty())
        return;
    const uint32_t count = static_cast<uint32_t>(message.wParam);
    // The sender guarantees at least one zero byte after the data; never trust a count beyond it.
    if (count >= message.payload.size())
        return;
    OnPageData(count, message.payload.data());
}

void CPrinterPage::WriteComm(const uint8_t* data, uint32_t length) {
    if (CPanel* panel = ThePanel())
        panel->WriteComm(data, length);
}
