#pragma once

#include "app/CommandLine.h"

namespace veltrane::cli {

// --generate: sends the problem's prompt to the writer's model and streams the article to
// standard output. Needs Qt's core and network, but no display. Returns the exit status: 1 when
// the model failed, or stopped before the article was complete (what arrived stays printed).
int Generate(const Options& options, const ContentRoots& roots, const char* programName);

}  // namespace veltrane::cli
