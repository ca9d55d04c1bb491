// Arbitrary bytes as a parameter file, read and checked by data_chekvb.
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    std::string path = fuzz_support::writeParameterFile(data, size);
    int result = data_chekvb(path.c_str());
    if (result != 0 && result != 1) std::abort();
    return 0;
}
