#pragma once

#include <memory>
#include <ostream>

#include "device/hid_transport.hpp"

namespace korvane {

// True when KORVANE_LOG is "debug": every report written and read is then
// printed in hex.
bool ReportLogRequested();

// Wraps a transport so that every report written to or read from its handles
// is printed as one line of hex to out ("write <path>: 00 10 ...",
// "read <path>: 10 00 ..."). Timeouts print nothing.
std::unique_ptr<HidTransport> WithReportLog(std::unique_ptr<HidTransport> transport, std::ostream& out);

}  // namespace korvane
