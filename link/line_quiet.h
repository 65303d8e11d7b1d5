// How long the line must stay quiet before a reply whose end the protocol leaves open is taken as
// whole. The link's batching gap before replies were assembled whole; long enough for a printer's
// bytes in one burst, far below any reply timer.
#pragma once

#include <cstdint>

constexpr uint32_t kQuietGapMs = 30;
