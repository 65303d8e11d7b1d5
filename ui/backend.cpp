// The process-wide backend and the framework functions that reach it.
#include "ui/backend.h"

#include <cassert>

#include "ui/dialog.h"

namespace ui {

namespace {
Backend* g_backend = nullptr;
}

Backend& CurrentBackend() {
    assert(g_backend != nullptr);
    return *g_backend;
}

void SetBackend(Backend* backend) {
    g_backend = backend;
}

CDialog* AfxGetMainWnd() {
    return CurrentBackend().MainWindow();
}

int AfxMessageBox(const std::string& text, unsigned type) {
    if (CDialog* main = AfxGetMainWnd())
        main->OnMessageBoxShown(text);
    return CurrentBackend().ShowMessageBox(text, type);
}

}  // namespace ui
