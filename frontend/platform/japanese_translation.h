// Qt's own texts (the buttons and captions of the Save dialog and of message
// boxes) in Japanese, whatever the system's language.
#pragma once

class QCoreApplication;

namespace rovena {

// Loads Qt's Japanese translation (qtbase_ja) from Qt's translations folder
// and installs it; false when it is not installed.
bool installJapaneseTranslation(QCoreApplication &app);

} // namespace rovena
