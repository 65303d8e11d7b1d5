// The about box (template 100).
#pragma once

#include "ui/dialog.h"

class CAboutDlg : public ui::CDialog {
  public:
    CAboutDlg();
};
