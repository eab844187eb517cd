// Turning a page answer into the HTTP response, misbehaving as a fault asks. Bodies that are
// cut, paused or huge are streamed through a content provider, so even a page of hundreds of
// megabytes is never held in memory.
#pragma once

#include <httplib.h>

#include <optional>
#include <string_view>

#include "samplesite/site_answers.h"
#include "samplesite/site_faults.h"
#include "samplesite/stop_signal.h"

namespace zelidor::samplesite {

// The signal must outlive the response (the server's threads end before the site does).
void writeResponse(httplib::Response& response, SiteAnswer answer,
                   const std::optional<Fault>& fault, StopSignal& stop, std::string_view target);

// The filler that makes a page huge: HTML comment lines of 64 bytes; byte `offset` onwards,
// `count` bytes.
std::string fillerBytes(std::size_t offset, std::size_t count);

}  // namespace zelidor::samplesite
