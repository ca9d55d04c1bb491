// The Rovena design file (.rvd): the texts of the form as UTF-8
// "key = value" lines (key_value_text.h), for a person to read and diff.
//
//   # Rovena 設計ファイル
//   [design]
//   format = 1
//   scale = 250            the single boxes in the order of kTextFields,
//   curve.direction = up   the two option groups in their places,
//   right.1.width = 2.75   lane rows that differ from データ  クリア,
//   interval = 9.889       one line for every line of 法線設置位置
//
//   [placement]            the curve in the world (placement_section.h)
//
// Values are kept exactly as typed. The [placement] section is carried line
// for line; other sections and keys this program does not know are skipped,
// for later versions.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "design/design_texts.h"

namespace design_model {

// The newest format this program reads and the one it writes.
inline constexpr int kDesignFormat = 1;

struct DesignDocument {
    DesignTexts texts;
    std::vector<std::string> placement; // the lines of [placement] as read, without the header

    bool operator==(const DesignDocument &) const = default;
};

// The file's bytes.
std::string designFileText(const DesignDocument &document);

// Reads the bytes of a design file. On failure error says what and on which
// line, and document is left as it was.
bool readDesignFile(std::string_view bytes, DesignDocument &document, std::string &error);

// Whether text is a design file rather than a bare parameter file: its first
// line that is neither blank nor a comment is a "[section]" header.
bool isDesignFileText(std::string_view text);

} // namespace design_model
