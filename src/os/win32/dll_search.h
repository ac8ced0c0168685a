#pragma once

namespace rzv {

// Keeps DLLs that the system loads on demand (for a theme, an input method, a dialog) to the
// system's own folder, never the program's folder or the working directory, where anyone who can
// put a file beside the exe (a download folder, say) could plant one. Call it first, before
// anything loads a DLL.
//
// SetDefaultDllDirectories is looked up by name: Windows 7 SP1 has it only with update
// KB2533623, and a static import would stop the program from starting without it. Where it is
// missing, SetDllDirectoryW(L"") still takes the working directory out of the search.
// Returns true when both took effect.
bool restrictDllSearch();

}  // namespace rzv
