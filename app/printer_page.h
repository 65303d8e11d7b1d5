// What the three printer pages share: how they close, receive their bytes and reach the panel.
#pragma once

#include <cstdint>

#include "app/panel.h"
#include "ui/dialog.h"

class CPrinterPage : public ui::CDialog {
  public:
    // pageMessage is the posted message that carries the printer's bytes to this page.
    CPrinterPage(const ui::DialogDesc& desc, unsigned pageMessage);

    unsigned PageMessage() const { return pageMessage_; }

    bool OnSysCommand(unsigned command) override;
    void OnMessage(const ui::Message& message) override;
    // Enter never ends a page.
    void OnOK() override {}

  protected:
    // The bytes of one notification: count bytes, followed by zero bytes up to the buffer's end.
    virtual void OnPageData(uint32_t count, const uint8_t* data) = 0;
    // Sends bytes to the printer through the panel.
    void WriteComm(const uint8_t* data, uint32_t length);

  private:
    unsigned pageMessage_;
};
