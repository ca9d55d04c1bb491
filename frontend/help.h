// The help file of the program, fixed when the program is built.
#pragma once

#include <QString>

namespace rovena {

// The built-in help-file path: empty when the program was built without
// help; a relative path names a shipped data file (beside the executable,
// or in the installation's data folder).
QString builtInHelpFile();

} // namespace rovena
