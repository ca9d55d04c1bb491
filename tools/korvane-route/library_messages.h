// The library's messages on the standard error in UTF-8, one line each and
// each text once: every output of a run reads the same route, and its
// warnings are worth saying once.
#pragma once

namespace korvane_route {

// Installs the handler through the library's korvane_set_message_handler;
// false when the symbol is missing.
bool showLibraryMessagesOnStderr(void *setHandlerSymbol);

} // namespace korvane_route
