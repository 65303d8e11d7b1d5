// A connection panel shown on the headless backend with a fake link behind it.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "app/main_dialog_layout.h"
#include "app/zephra_dlg.h"
#include "tests/panel/fake_link.h"
#include "tests/support/shown_panel.h"
#include "ui/headless/headless_backend.h"

using Bytes = std::vector<uint8_t>;
inline const Bytes kIdentify = {0x1B, 0x00, 0x02, 0x02};
inline const int kSerialControls[] = {
    IDC_LABEL_PORT, IDC_LABEL_BAUD, IDC_LABEL_PARITY, IDC_LABEL_DATABIT, IDC_LABEL_STOPBIT,
    IDC_COMBO_PORT, IDC_COMBO_BAUD, IDC_COMBO_PARITY, IDC_COMBO_DATABIT, IDC_COMBO_STOPBIT};

class Panel : public ::testing::Test {
  protected:
    void SetUp() override { StartPanel(ui_, dlg_); }
    void TearDown() override { StopPanel(ui_); }

    void OpenSerial(int port, int baud, int parity, int stop) {
        ui_.Select(dlg_, IDC_COMBO_PORT, port);
        ui_.Select(dlg_, IDC_COMBO_BAUD, baud);
        ui_.Select(dlg_, IDC_COMBO_PARITY, parity);
        ui_.Select(dlg_, IDC_COMBO_STOPBIT, stop);
        ASSERT_TRUE(ui_.Click(dlg_, IDC_OPEN));
    }

    // The printer's bytes as one chunk from the reader, handled before the test goes on.
    void Receive(const Bytes& bytes) {
        links_.Receive(bytes);
        ui_.Settle();
    }

    ui::HeadlessBackend ui_;
    FakeLinkProvider links_;
    CZephraDlg dlg_{links_};
};
