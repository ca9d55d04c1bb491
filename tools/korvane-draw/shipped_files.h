// Where korvane-draw finds the files it ships. In the build folder (or a
// folder copied as a whole) they lie beside the program; an installation puts
// the data files in ../share/rovena and the library in ../lib/<arch>,
// relative to the program, whatever the prefix.
#pragma once

#include <string>
#include <vector>

namespace korvane_draw {

// The first of the data folders (beside the program, then the installation's)
// that holds fileName; the path beside the program when none does, so a
// missing file is reported where it was expected first. programFolder ends
// with a separator or is empty.
std::string findDataFile(const std::string &programFolder, const std::string &fileName);

// The paths at which the library fileName is tried, in order: beside the
// program, then the installation's library folder.
std::vector<std::string> libraryCandidates(const std::string &programFolder, const std::string &fileName);

// The first candidate that exists, or the first candidate when none does.
std::string findLibrary(const std::string &programFolder, const std::string &fileName);

} // namespace korvane_draw
