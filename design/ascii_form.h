// Full-width digits, signs, point and the ideographic space, as a Japanese
// input method types them, read as their ASCII forms: the one rule by which
// the form, the design file and the placement read typed numbers.
#pragma once

#include <string>
#include <string_view>

namespace design_model {

// The UTF-8 text with ０..９, "．", "－", "−" (minus sign), "＋" and the
// ideographic space replaced by 0..9, ".", "-", "-", "+" and " "; every
// other character unchanged.
std::string asciiForm(std::string_view text);

} // namespace design_model
