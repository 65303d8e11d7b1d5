// Which bytes of the current-generation protocol carry a security key, for the protocol trace.
#pragma once

#include "page_shared/trace_keys.h"

namespace page1 {

std::vector<trace::Span> TraceKeys(trace::Direction direction, const trace::Bytes& before,
                                   const trace::Bytes& frame);

}  // namespace page1
