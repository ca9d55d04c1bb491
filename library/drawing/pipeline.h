// The drawing run behind save_DXF.
#pragma once

namespace korvane {

int saveDxf(const char *outputPath, const char *paramPath, const char *templatePath,
            const char *tempPath);

} // namespace korvane
