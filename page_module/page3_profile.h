// The Wi-Fi module page's settings in a profile: which control holds which setting.
#pragma once

#include "page_shared/profile.h"

namespace page3 {

const profile::Family& ProfileFamily();

}  // namespace page3
