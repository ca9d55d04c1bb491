// The library's messages on the standard error, so that a batch run of
// korvane-draw never waits on a message box.
#pragma once

// Makes every message of the library one line on the standard error in
// UTF-8: "エラー: " and the text, its line breaks written as spaces (the
// library's own default on Linux). setHandlerSymbol is the library's
// korvane_set_message_handler. On Windows, where the library's default is a
// modal message box, the handler is installed; false when the symbol is
// missing. Elsewhere the library's default already does this.
bool useStderrForMessages(void *setHandlerSymbol);
