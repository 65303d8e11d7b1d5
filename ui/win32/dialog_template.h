// Builds an in-memory dialog template (DLGTEMPLATEEX) from a dialog description.
#pragma once

#include <cstdint>
#include <vector>

#include "ui/dialog_desc.h"

namespace ui {

// The result is DWORD-aligned data for DialogBoxIndirectParamW; the menu is named by its
// resource id and the font is "MS Shell Dlg" 8 pt.
std::vector<uint16_t> BuildDialogTemplate(const DialogDesc& desc);

}  // namespace ui
