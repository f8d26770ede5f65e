#include "resources/generator/chm_context_map.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tolva::generator {
namespace {

using Bytes = std::vector<std::uint8_t>;

[[noreturn]] void Fail(const std::string& what) { throw std::runtime_error("mending the context map: " + what); }

Bytes Read(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) Fail(path.string() + " cannot be read");
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::uint64_t Little(const Bytes& bytes, std::size_t at, std::size_t width) {
  if (at + width > bytes.size()) Fail("a field past the end");
  std::uint64_t value = 0;
  for (std::size_t i = width; i-- > 0;) value = (value << 8) | bytes[at + i];
  return value;
}
void PutLittle32(Bytes& bytes, std::size_t at, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A number of the directory: seven bits a byte, the highest set on every byte but the last.
struct Field {
  std::size_t at, width;
  std::uint64_t value;
};
Field ReadField(const Bytes& bytes, std::size_t at) {
  Field field{at, 0, 0};
  for (;;) {
    if (at + field.width >= bytes.size()) Fail("a directory entry past the end");
    const std::uint8_t byte = bytes[at + field.width++];
    field.value = (field.value << 7) | (byte & 0x7Fu);
    if ((byte & 0x80u) == 0) return field;
  }
}
// Rewrites a field in the width it has, so that nothing after it moves (a reader takes leading
// zero groups as they are).
void WriteField(Bytes& bytes, const Field& field, std::uint64_t value) {
  for (std::size_t i = field.width; i-- > 0;) {
    bytes[field.at + i] = static_cast<std::uint8_t>((value & 0x7Fu) | (i + 1 < field.width ? 0x80u : 0u));
    value >>= 7;
  }
  if (value != 0) Fail("a value wider than its field");
}

// A directory entry: the name's length and the name, then its section, offset and length.
struct Entry {
  Field section, offset, length;
};
Entry FindEntry(const Bytes& chm, std::size_t directory, std::size_t end, std::string_view name) {
  Bytes key{static_cast<std::uint8_t>(name.size())};
  key.insert(key.end(), name.begin(), name.end());
  std::size_t found = end;
  for (std::size_t at = directory; at + key.size() <= end; ++at)
    if (std::equal(key.begin(), key.end(), chm.begin() + static_cast<std::ptrdiff_t>(at))) {
      if (found != end) Fail(std::string(name) + " listed twice");
      found = at;
    }
  if (found == end) Fail(std::string(name) + " not in the directory");
  Entry entry{};
  entry.section = ReadField(chm, found + key.size());
  entry.offset = ReadField(chm, entry.section.at + entry.section.width);
  entry.length = ReadField(chm, entry.offset.at + entry.offset.width);
  return entry;
}

}  // namespace

bool MendContextMap(const std::filesystem::path& chmPath, const std::filesystem::path& ivbPath,
                    const std::filesystem::path& stringsPath) {
  Bytes ivb = Read(ivbPath);
  const Bytes strings = Read(stringsPath);
  if (ivb.size() < 4 || (ivb.size() - 4) % 8 != 0 || Little(ivb, 0, 4) != ivb.size() - 4) Fail("/#IVB unreadable");
  bool changed = false;
  for (std::size_t at = 8; at < ivb.size(); at += 8) {
    const auto offset = static_cast<std::size_t>(Little(ivb, at, 4));
    if (offset >= strings.size()) Fail("a page past /#STRINGS");
    const std::string page(reinterpret_cast<const char*>(strings.data()) + offset);
    const std::size_t slash = page.rfind('/');
    if (slash == std::string::npos) continue;
    PutLittle32(ivb, at, static_cast<std::uint32_t>(offset + slash + 1));  // the name alone
    changed = true;
  }
  if (!changed) return false;

  // The file: its header (v3) names the directory and where the uncompressed section starts.
  Bytes chm = Read(chmPath);
  constexpr std::size_t DirectoryAt = 0x48, DirectoryLength = 0x50, ContentAt = 0x58;
  if (chm.size() < 0x60 || std::string_view(reinterpret_cast<const char*>(chm.data()), 4) != "ITSF" ||
      Little(chm, 4, 4) != 3) {
    Fail("not a version 3 ITSF file");
  }
  const auto directory = static_cast<std::size_t>(Little(chm, DirectoryAt, 8));
  const auto directoryEnd = directory + static_cast<std::size_t>(Little(chm, DirectoryLength, 8));
  const auto content = static_cast<std::size_t>(Little(chm, ContentAt, 8));
  const Entry map = FindEntry(chm, directory, directoryEnd, "/#IVB");
  const Entry readMe = FindEntry(chm, directory, directoryEnd, "/_#_README_#_");
  if (map.length.value != ivb.size()) Fail("/#IVB of another size");
  if (readMe.section.value != 0 || readMe.length.value < ivb.size()) Fail("no read-me to take the place of");

  // The map takes the read-me's last bytes, and the read-me ends where the map begins.
  const std::uint64_t place = readMe.offset.value + readMe.length.value - ivb.size();
  if (content + place + ivb.size() > chm.size()) Fail("the read-me past the end");
  std::copy(ivb.begin(), ivb.end(), chm.begin() + static_cast<std::ptrdiff_t>(content + place));
  WriteField(chm, readMe.length, readMe.length.value - ivb.size());
  WriteField(chm, map.section, 0);
  WriteField(chm, map.offset, place);

  std::ofstream out(chmPath, std::ios::binary);
  out.write(reinterpret_cast<const char*>(chm.data()), static_cast<std::streamsize>(chm.size()));
  if (!out) Fail(chmPath.string() + " cannot be written");
  return true;
}

}  // namespace tolva::generator
