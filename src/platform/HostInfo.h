#pragma once
// The local machine's network identity, through the resolver of the C library.
#include <string>
#include <vector>

namespace platform {

// The host's official (canonical) name; empty when it cannot be found.
std::string LocalHostName();

// The host's IPv4 addresses in dotted form, in the resolver's order; empty when the lookup fails.
std::vector<std::string> LocalHostAddresses();

} // namespace platform
