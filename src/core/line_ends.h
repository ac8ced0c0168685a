// Line ends between the model, which keeps a record's CR LF, and the text boxes that show it.
#pragma once

#include <string>
#include <string_view>

namespace rzv {

// Every CR LF as a lone LF, as a toolkit's plain-text box wants it.
std::string withLineFeeds(std::string_view text);
// Every lone LF as CR LF, as a Windows edit box wants it (a lone LF shows as a box there).
std::string withCrLf(std::string_view text);

}  // namespace rzv
