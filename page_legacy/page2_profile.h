// The legacy page's settings in a profile: which control holds which setting.
#pragma once

#include "page_shared/profile.h"

namespace page2 {

const profile::Family& ProfileFamily();

}  // namespace page2
