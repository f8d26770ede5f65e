#pragma once
// Free Pascal's chmcmd 3.2.2 (Debian 12's) writes the page of each context number with the
// project folder's absolute path in front ("/home/me/build/help/Main_Window.htm"), a path no
// help engine finds inside the file; later versions write the page's own name. This mends a
// file it compiled, so that each number leads to its page.
#include <filesystem>

namespace tolva::generator {

// `ivb` and `strings` are the file's /#IVB and /#STRINGS as a reader (chmlib) extracts them.
// When a number's page carries a folder, a corrected /#IVB goes into the file's uncompressed
// section in place of the tail of chmcmd's read-me, and /#IVB's entry is pointed at it. Returns
// whether the file was changed; throws when it cannot be mended.
bool MendContextMap(const std::filesystem::path& chm, const std::filesystem::path& ivb,
                    const std::filesystem::path& strings);

}  // namespace tolva::generator
