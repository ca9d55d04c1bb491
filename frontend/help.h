// The help file of the program, fixed when the program is built.
#pragma once

#include <QString>

namespace rovena {

// The built-in help-file path: empty when the program was built without
// help; a relative path names a file beside the executable.
QString builtInHelpFile();

} // namespace rovena
