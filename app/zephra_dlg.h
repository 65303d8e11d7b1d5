// The connection panel: link choice and serial parameters, Open and Close, the status line.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "link/link.h"
#include "link/rx_queue.h"
#include "ui/dialog.h"

// Posted by the reader thread after it has queued received bytes.
constexpr unsigned WM_COMM_READ = ui::kWmUser + 1;

constexpr unsigned kModelTimer = 1;
constexpr unsigned kModelTimeoutMs = 1000;

class CZephraDlg : public ui::CDialog {
  public:
    explicit CZephraDlg(CLinkProvider& links);
    ~CZephraDlg() override;

    // --- What the pages use ---
    void EnableOpenClose(bool open, bool close);
    void OnBnClickedClose();
    // Sends bytes over the link that is open; 0 when none is.
    uint32_t WriteComm(const uint8_t* data, uint32_t length);
    bool m_bPage1Read = false;
    bool m_bPage1Save = false;

    // --- Handlers ---
    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;
    void OnTimer(unsigned timerId) override;
    bool OnSysCommand(unsigned command) override;
    void OnMessage(const ui::Message& message) override;
    void DoDataExchange(ui::CDataExchange& dx) override;

    void OnBnClickedOpen();
    void OnBnClickedSerial();
    void OnBnClickedUsb();
    void OnCommRead();

    // Dispatches the thread's messages for ms milliseconds.
    void WaitWithMessages(uint32_t ms);

    bool IsConnected() const { return m_bConnected; }
    bool IsWaitingForModel() const { return m_bWaitModel; }

  private:
    bool OpenPort(const SerialSettings& settings);
    void ClosePort();
    bool USB_Connection();
    void ShowAbout();
    void EnableSerialSettings(bool enable);

    CLinkProvider& links_;
    std::unique_ptr<CLink> link_;  // the link that is open, of whichever kind
    bool m_bConnected = false;
    CRxQueue m_QueueRead;
    bool m_bWaitModel = false;
    uint8_t m_RxBuffer[CRxQueue::kSize] = {};

    std::string m_strPortName;
    uint32_t m_dwBaudRate = 0;
    uint8_t m_byParity = 0;
    uint8_t m_byDataBits = 0;
    uint8_t m_byStopBits = 0;

    std::string m_strStatus;
    std::string m_strPort;
    std::string m_strBaud;
    std::string m_strDataBit;
    std::string m_strStopBit;
};
