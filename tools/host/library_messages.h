// The library's messages on the standard error of a command-line host, so
// that a batch run never waits on a message box.
#pragma once

namespace korvane_host {

// Makes every message of the library one line on the standard error in
// UTF-8: prefix and the text, its line breaks written as spaces. With
// eachOnce a text already said is not said again (every output of a
// korvane-route run reads the same route, and its warnings are worth saying
// once). setHandlerSymbol is the library's korvane_set_message_handler; false
// when the symbol is missing.
bool sendLibraryMessagesToStderr(void *setHandlerSymbol, const char *prefix, bool eachOnce);

} // namespace korvane_host
