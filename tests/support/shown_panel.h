// Shows the connection panel as the application's main window on a headless backend, the way
// the product starts it, for tests and fuzz targets.
#pragma once

#include "app/zephra_dlg.h"
#include "res/resource.h"
#include "ui/headless/headless_backend.h"

// Makes ui the backend in use and runs dlg modally on ui's own thread until StopPanel.
inline void StartPanel(ui::HeadlessBackend& ui, CZephraDlg& dlg) {
    ui::SetBackend(&ui);
    ui.AddString(IDS_ABOUTBOX, IDS_ABOUTBOX_TEXT);
    ui.Start([&ui, &dlg] {
        ui.SetMainWindow(&dlg);
        dlg.DoModal();
    });
}

inline void StopPanel(ui::HeadlessBackend& ui) {
    ui.Stop();
    ui::SetBackend(nullptr);
}
