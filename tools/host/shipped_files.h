// Where a command-line host (korvane-draw, korvane-route) finds the files it
// ships. In the build folder (or a folder copied as a whole) they lie beside
// the program; an installation puts the data files in ../share/rovena and the
// library in ../lib/<arch>, relative to the program, whatever the prefix; a
// library installed by the system's packages is found by the ordinary search.
#pragma once

#include <string>
#include <vector>

namespace korvane_host {

// The first of the data folders (beside the program, then the installation's)
// that holds fileName; the path beside the program when none does, so a
// missing file is reported where it was expected first. programFolder ends
// with a separator or is empty.
std::string findDataFile(const std::string &programFolder, const std::string &fileName);

// The paths at which the library fileName is tried, in order: beside the
// program, then the installation's library folder.
std::vector<std::string> libraryCandidates(const std::string &programFolder, const std::string &fileName);

// The first candidate that exists; when none does, the bare fileName, which
// the platform's loader looks for in its ordinary search (ld.so.cache, PATH).
std::string findLibrary(const std::string &programFolder, const std::string &fileName);

} // namespace korvane_host
