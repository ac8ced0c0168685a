// The text of the settings file: sections in brackets, one "key=value" per logical line, the form
// Qt's settings files and the program's earlier versions wrote. Reading follows that reader to
// the letter (comments, quotes, continued lines, %-encoded names, CR LF, a byte-order mark);
// editing rewrites only the lines of the keys it sets and keeps every other byte, comments
// included (Qt's settings class drops them on its first save).
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace rzv::ini {

// The text stored under `key` in `section`: the last one when the file names it twice. Nothing
// for a missing key or a value that stands for none ("@Invalid()").
std::optional<std::string> valueOf(std::string_view file, std::string_view section,
                                   std::string_view key);

// Every key of the file with its text, as valueOf() reads them: (section, key) -> text.
std::map<std::pair<std::string, std::string>, std::string> entriesOf(std::string_view file);

// The file with each key of `section` set to its text, in order: a key's last line rewritten
// after its "=", or, for a missing key, a line added after the section's last key (the section
// added at the end of the file when it is missing). Every other byte stays; added lines end as
// the file's first line does. Nothing when the edit would change how any other key reads (a
// quote left open at the end of the file, say): such a file is left as it is.
std::optional<std::string> withValues(std::string_view file, std::string_view section,
                                      const std::vector<std::pair<std::string, std::string>>& keys);

// A section or key name as the file writes it: letters, digits, "_-." as they are, other
// characters %-encoded ("%20", "%E9", "%U4E2D").
std::string escapedName(std::string_view name);
// A value as the file writes it, read back by valueOf() as exactly `text`.
std::string escapedValue(std::string_view text);

}  // namespace rzv::ini
