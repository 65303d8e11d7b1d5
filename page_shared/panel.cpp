// What a printer page may ask of the connection panel, reached as the application's main window.
#include "page_shared/panel.h"

#include "ui/backend.h"
#include "ui/dialog.h"

CPanel* ThePanel() {
    return dynamic_cast<CPanel*>(ui::AfxGetMainWnd());
}
