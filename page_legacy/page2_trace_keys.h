// Which bytes of the legacy protocol carry a security key, for the protocol trace.
#pragma once

#include "page_shared/trace_keys.h"

namespace page2 {

std::vector<trace::Span> TraceKeys(trace::Direction direction, const trace::Bytes& before,
                                   const trace::Bytes& frame);

}  // namespace page2
