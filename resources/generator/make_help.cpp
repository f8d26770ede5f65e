// Makes the program's help files from their text, one source for two help engines:
//   tolva_help HELPDIR OUTFILE          the WinHelp file (tolva.hlp)
//   tolva_help --html HELPDIR OUTDIR    the HTML Help project that chmcmd compiles
//   tolva_help --chm HELPDIR OUTFILE    the HTML Help file (tolva.chm): the project, written in
//                                       OUTFILE's folder under "chm-project", compiled with
//                                       Free Pascal's chmcmd, its context map read back with
//                                       chmlib's test_chmLib and mended where chmcmd left it
//                                       wrong (chm_context_map.h)
//
// HELPDIR/project.txt names the file ("Title: ...") and gives its legal notice ("Copyright:
// ..."). HELPDIR/topics/ holds one text file a topic, taken in the order of their names; the
// first is the contents, which the help engine shows when asked for no topic in particular. A
// topic file starts with its header lines:
//   Title:   the topic's title, its first line and its name in the help engine's lists
//   Context: the context string by which jumps and the program name the topic
//   Number:  the context number by which a window asks for it with F1 (only where it has one)
// After a blank line come the paragraphs, separated by blank lines; a line that starts with "- "
// is an item of a list. In the text, **words** are bold and [words](Context) is a jump to the
// topic with that context string. The text is UTF-8 limited to Windows' Western code page.
//
// The WinHelp file is a Windows Help 3.1 file as the format's public description lays it out: a
// file system (a header, the internal files, and their directory as a B+ tree) holding |SYSTEM
// (the title, the notice, the contents topic, the main window), |TOPIC (the topics), |CONTEXT
// (the topics by the hashes of their context strings), |CTXOMAP (by context number), |FONT and
// |TTLBTREE (the titles).
//
// The HTML Help project is a page a topic (named after its context string, engine/help_names.h),
// the contents (tolva.hhc, laid out as the contents topic is), the index (tolva.hhk, every
// topic's title), and the project file (tolva.hhp) with the viewer's window, every topic's
// context string as an alias of its page and the context numbers.
//
// Both are the same, byte for byte, on every run.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "engine/help_names.h"
#include "resources/generator/chm_context_map.h"
#include "platform/ascii.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

[[noreturn]] void Fail(const std::string& where, const std::string& what) {
  throw std::runtime_error(where + ": " + what);
}

// ---- The text -----------------------------------------------------------------------------------

enum class Look { Plain, Bold, Jump };
struct Run {
  Look look;
  std::string text;
  std::string target;  // a jump's context string
};
enum class Kind { Heading, Body, Item };
struct Paragraph {
  Kind kind;
  std::vector<Run> runs;
};
struct Topic {
  std::string title, context;
  std::optional<std::int32_t> number;
  std::vector<Paragraph> paragraphs;  // the first is the title
};
struct HelpText {
  std::string title, copyright;
  std::vector<Topic> topics;  // the first is the contents
};

std::string Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(" \t\r") - first + 1));
}

// UTF-8 as the Western code page: ASCII and U+00A0 to U+00FF, which it holds as single bytes.
std::string Western(std::string_view utf8, const std::string& where) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
      continue;
    }
    const auto next = i + 1 < utf8.size() ? static_cast<unsigned char>(utf8[i + 1]) : 0u;
    if ((c == 0xC2 || c == 0xC3) && (next & 0xC0) == 0x80 && (c == 0xC3 || next >= 0xA0)) {
      out += static_cast<char>(((c & 0x1Fu) << 6) | (next & 0x3Fu));
      ++i;
      continue;
    }
    Fail(where, "a character outside the Western code page");
  }
  return out;
}

std::vector<Run> Runs(std::string_view text, const std::string& where) {
  std::vector<Run> runs;
  std::string pending;
  bool bold = false;
  const auto flush = [&] {
    if (pending.empty()) return;
    const Look look = bold ? Look::Bold : Look::Plain;
    if (!runs.empty() && runs.back().look == look) {
      runs.back().text += pending;
    } else {
      runs.push_back({look, pending, {}});
    }
    pending.clear();
  };
  for (std::size_t i = 0; i < text.size();) {
    if (text.compare(i, 2, "**") == 0) {
      flush();
      bold = !bold;
      i += 2;
    } else if (text[i] == '[') {
      const std::size_t middle = text.find("](", i);
      const std::size_t end = middle == std::string_view::npos ? middle : text.find(')', middle);
      if (end == std::string_view::npos) Fail(where, "a jump without its target");
      flush();
      runs.push_back({Look::Jump, std::string(text.substr(i + 1, middle - i - 1)),
                      std::string(text.substr(middle + 2, end - middle - 2))});
      i = end + 1;
    } else {
      pending += text[i++];
    }
  }
  if (bold) Fail(where, "bold text left open");
  flush();
  return runs;
}

// "Key: value" lines up to the first blank line or the end.
std::map<std::string, std::string> Header(std::istream& in, const std::string& where,
                                          std::initializer_list<std::string_view> keys) {
  std::map<std::string, std::string> header;
  std::string line;
  while (std::getline(in, line) && !Trimmed(line).empty()) {
    const std::size_t colon = line.find(':');
    const std::string key = line.substr(0, colon);
    if (colon == std::string::npos || std::find(keys.begin(), keys.end(), key) == keys.end()) {
      Fail(where, "not a header line: " + line);
    }
    header[key] = Western(Trimmed(line.substr(colon + 1)), where);
  }
  return header;
}

Topic ReadTopic(const fs::path& path) {
  const std::string where = path.filename().string();
  std::ifstream in(path, std::ios::binary);
  if (!in) Fail(where, "cannot be read");
  auto header = Header(in, where, {"Title", "Context", "Number"});
  Topic topic{header["Title"], header["Context"], {}, {}};
  if (topic.title.empty() || topic.context.empty()) Fail(where, "no Title or no Context");
  if (header.count("Number") != 0) {
    const std::string& number = header["Number"];
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) {
      Fail(where, "a Number that is not a number");
    }
    topic.number = std::stoi(number);
  }
  topic.paragraphs.push_back({Kind::Heading, {{Look::Plain, topic.title, {}}}});
  std::optional<Paragraph> open;
  std::string words;
  const auto close = [&] {
    if (!open) return;
    open->runs = Runs(Western(words, where), where);
    topic.paragraphs.push_back(*open);
    open.reset();
  };
  std::string line;
  while (std::getline(in, line)) {
    const std::string text = Trimmed(line);
    if (text.empty()) {
      close();
    } else if (text.rfind("- ", 0) == 0) {
      close();
      open = Paragraph{Kind::Item, {}};
      words = text.substr(2);
    } else if (open) {
      words += " " + text;
    } else {
      open = Paragraph{Kind::Body, {}};
      words = text;
    }
  }
  close();
  return topic;
}

// A context string is letters, digits, "." and "_" (the help engine hashes nothing else).
bool IsContextString(std::string_view context) {
  return !context.empty() && std::all_of(context.begin(), context.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '_';
  });
}

HelpText ReadHelpText(const fs::path& dir) {
  std::ifstream project(dir / "project.txt", std::ios::binary);
  if (!project) Fail("project.txt", "cannot be read");
  auto header = Header(project, "project.txt", {"Title", "Copyright"});
  HelpText help{header["Title"], header["Copyright"], {}};
  if (help.title.empty() || help.copyright.empty()) Fail("project.txt", "no Title or no Copyright");
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(dir / "topics")) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  for (const fs::path& file : files) help.topics.push_back(ReadTopic(file));
  if (help.topics.empty()) Fail("topics", "no topic");

  std::set<std::string> contexts;
  std::set<std::int32_t> numbers;
  for (const Topic& topic : help.topics) {
    if (!IsContextString(topic.context)) Fail(topic.context, "not a context string");
    if (!contexts.insert(topic.context).second) Fail(topic.context, "a second topic of that context");
    if (topic.number && !numbers.insert(*topic.number).second) Fail(topic.context, "a number taken");
  }
  for (const Topic& topic : help.topics)
    for (const Paragraph& paragraph : topic.paragraphs)
      for (const Run& run : paragraph.runs)
        if (run.look == Look::Jump && contexts.count(run.target) == 0) {
          Fail(topic.context, "a jump to no topic: " + run.target);
        }
  std::set<std::string> listed;  // the contents leads to every topic
  for (const Paragraph& paragraph : help.topics.front().paragraphs)
    for (const Run& run : paragraph.runs) listed.insert(run.target);
  for (const Topic& topic : help.topics)
    if (&topic != &help.topics.front() && listed.count(topic.context) == 0) {
      Fail("the contents", "no jump to " + topic.context);
    }
  return help;
}

// ---- Bytes --------------------------------------------------------------------------------------

constexpr std::uint32_t Nowhere = 0xFFFFFFFF;  // no position: the -1 of the format

void Put8(Bytes& out, unsigned value) { out.push_back(static_cast<std::uint8_t>(value & 0xFF)); }
void Put16(Bytes& out, unsigned value) {
  Put8(out, value);
  Put8(out, value >> 8);
}
void Put32(Bytes& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}
void PutString(Bytes& out, std::string_view text) {
  out.insert(out.end(), text.begin(), text.end());
  Put8(out, 0);
}
// A text in a field of its own width, the rest zeros.
void PutField(Bytes& out, std::string_view text, std::size_t width) {
  const std::size_t start = out.size();
  const std::size_t kept = std::min(text.size(), width - 1);
  out.insert(out.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(kept));
  out.resize(start + width, 0);
}
void Append(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

// The packed numbers of a text record: the short form, marked by a clear lowest bit, takes half
// the bytes of the long one.
void PutPackedUnsigned16(Bytes& out, std::size_t value) {
  if (value < 0x80) {
    Put8(out, static_cast<unsigned>(value * 2));
  } else if (value < 0x8000) {
    Put16(out, static_cast<unsigned>(value * 2 + 1));
  } else {
    Fail("|TOPIC", "a paragraph too long");
  }
}
void PutPackedSigned16(Bytes& out, int value) {  // only the short form is needed here
  if (value < -64 || value > 63) Fail("|TOPIC", "a paragraph measure out of range");
  Put8(out, static_cast<unsigned>((value + 64) * 2));
}
void PutPackedSigned32(Bytes& out, std::size_t value) {  // a size, never negative
  if (value < 0x4000) {
    Put16(out, static_cast<unsigned>(value * 2 + 0x8000));
  } else {
    Put32(out, static_cast<std::uint32_t>(value * 2 + 0x80000001u));
  }
}

// ---- Fonts --------------------------------------------------------------------------------------

struct Font {
  unsigned attributes;  // 1: bold
  unsigned halfPoints;
  unsigned red, green, blue;
};
enum FontNumber : unsigned { BodyFont, HeadingFont, BoldFont };
constexpr Font Fonts[] = {{0, 20, 0, 0, 0}, {1, 24, 0, 0, 128}, {1, 20, 0, 0, 0}};
constexpr std::string_view FaceName = "Arial";
constexpr unsigned FaceNameWidth = 20;
constexpr unsigned SwissFamily = 3;

Bytes FontFile() {
  constexpr unsigned HeaderSize = 8;
  Bytes out;
  Put16(out, 1);
  Put16(out, static_cast<unsigned>(std::size(Fonts)));
  Put16(out, HeaderSize);
  Put16(out, HeaderSize + FaceNameWidth);
  PutField(out, FaceName, FaceNameWidth);
  for (const Font& font : Fonts) {
    Put8(out, font.attributes);
    Put8(out, font.halfPoints);
    Put8(out, SwissFamily);
    Put16(out, 0);  // the face name
    for (unsigned part : {font.red, font.green, font.blue}) Put8(out, part);
    for (int i = 0; i < 3; ++i) Put8(out, 255);  // a background the viewers do not use
  }
  return out;
}

// ---- Topics -------------------------------------------------------------------------------------

// The help engine's hash of a context string, as base-43 digits: "1" to "9" count 1 to 9, "0" 10,
// "." 12, "_" 13 and the letters 17 to 42, whatever their case.
std::int32_t ContextHash(std::string_view context) {
  std::uint32_t hash = 0;
  for (const char letter : context) {
    const char c = tolva::platform::AsciiUpper(letter);
    const unsigned digit = c >= 'A' && c <= 'Z'   ? static_cast<unsigned>(c - 'A') + 17
                           : c >= '1' && c <= '9' ? static_cast<unsigned>(c - '0')
                           : c == '0'             ? 10
                           : c == '.'             ? 12
                                                  : 13;
    hash = hash * 43 + digit;
  }
  return static_cast<std::int32_t>(hash);
}

// A TOPICLINK: its header (BlockSize, DataLen2, PrevBlock, NextBlock, DataLen1, RecordType),
// LinkData1 and LinkData2. `later` marks the bytes of positions written once every record is
// placed.
constexpr std::size_t LinkHeaderSize = 21;
constexpr std::size_t PrevBlockAt = 8, NextBlockAt = 12;
constexpr unsigned TopicHeaderRecord = 0x02, TextRecord = 0x20;
// The TOPICHEADER of a header record: BlockSize, BrowseBck, BrowseFor, TopicNum, NonScroll,
// Scroll, NextTopic.
constexpr std::size_t BrowseBackAt = LinkHeaderSize + 4, BrowseForwardAt = LinkHeaderSize + 8,
                      NonScrollAt = LinkHeaderSize + 16, ScrollAt = LinkHeaderSize + 20,
                      NextTopicAt = LinkHeaderSize + 24, TopicHeaderSize = 28;

struct Record {
  Bytes bytes;
  std::vector<bool> later;
  bool header;
  std::size_t characters;  // what the record adds to a topic offset's character count
};

Record Link(unsigned type, const Bytes& data1, const Bytes& data2, std::initializer_list<std::size_t> later) {
  Record record{{}, {}, type == TopicHeaderRecord, type == TextRecord ? data2.size() : 0};
  Bytes& out = record.bytes;
  Put32(out, static_cast<std::uint32_t>(LinkHeaderSize + data1.size() + data2.size()));
  Put32(out, static_cast<std::uint32_t>(data2.size()));
  Put32(out, Nowhere);
  Put32(out, Nowhere);
  Put32(out, static_cast<std::uint32_t>(LinkHeaderSize + data1.size()));
  Put8(out, type);
  Append(out, data1);
  Append(out, data2);
  record.later.assign(out.size(), false);
  for (std::size_t at : later) std::fill_n(record.later.begin() + static_cast<std::ptrdiff_t>(at), 4, true);
  return record;
}

// A paragraph's text and its formatting commands alternate: every command follows a string of
// LinkData2, which may be empty.
class Formatter {
 public:
  void Text(std::string_view text) { pending_ += text; }
  void Command(std::initializer_list<unsigned> command) {
    PutString(strings_, pending_);
    pending_.clear();
    for (unsigned byte : command) Put8(commands_, byte);
  }
  void Jump(std::int32_t hash) {
    const auto h = static_cast<std::uint32_t>(hash);
    Command({0xE3, h & 0xFF, (h >> 8) & 0xFF, (h >> 16) & 0xFF, h >> 24});
  }
  const Bytes& strings() const { return strings_; }
  const Bytes& commands() const { return commands_; }

 private:
  std::string pending_;
  Bytes strings_, commands_;
};
constexpr unsigned FontCommand = 0x80, EndOfParagraph = 0x82, TabCommand = 0x83, EndOfJump = 0x89,
                   EndOfText = 0xFF;

// The paragraph's look, in half-points: the space above and below it, and for an item a
// hanging indent with a tab stop, so that the bullet stands out and the text lines up.
struct Layout {
  unsigned font;
  int spaceAbove, spaceBelow, indent;
};
Layout LayoutOf(Kind kind) {
  switch (kind) {
    case Kind::Heading: return {HeadingFont, 0, 10, 0};
    case Kind::Item: return {BodyFont, 0, 4, 24};
    case Kind::Body: break;
  }
  return {BodyFont, 8, 4, 0};
}

Record TextRecordOf(const Layout& layout, const Formatter& text) {
  constexpr unsigned SpacingAboveFollows = 0x0002, SpacingBelowFollows = 0x0004, LeftIndentFollows = 0x0010,
                     FirstLineIndentFollows = 0x0040, TabsFollow = 0x0200;
  Bytes data1;
  PutPackedSigned32(data1, text.strings().size());
  PutPackedUnsigned16(data1, text.strings().size());
  for (unsigned byte : {0x00, 0x80, 0x00, 0x00}) Put8(data1, byte);  // fields of unknown purpose
  Put16(data1, (layout.spaceAbove != 0 ? SpacingAboveFollows : 0) | SpacingBelowFollows |
                   (layout.indent != 0 ? LeftIndentFollows | FirstLineIndentFollows | TabsFollow : 0));
  if (layout.spaceAbove != 0) PutPackedSigned16(data1, layout.spaceAbove);
  PutPackedSigned16(data1, layout.spaceBelow);
  if (layout.indent != 0) {
    PutPackedSigned16(data1, layout.indent);
    PutPackedSigned16(data1, -2 * layout.indent / 3);
    PutPackedSigned16(data1, 1);
    PutPackedUnsigned16(data1, static_cast<std::size_t>(layout.indent));
  }
  Append(data1, text.commands());
  return Link(TextRecord, data1, text.strings(), {PrevBlockAt, NextBlockAt});
}

Record ParagraphRecord(const Paragraph& paragraph) {
  const Layout layout = LayoutOf(paragraph.kind);
  Formatter text;
  text.Command({FontCommand, layout.font, 0});
  if (paragraph.kind == Kind::Item) {
    text.Text("\x95");  // the bullet
    text.Command({TabCommand});
  }
  for (const Run& run : paragraph.runs) {
    switch (run.look) {
      case Look::Plain: text.Text(run.text); break;
      case Look::Bold:
        text.Command({FontCommand, BoldFont, 0});
        text.Text(run.text);
        text.Command({FontCommand, layout.font, 0});
        break;
      case Look::Jump:
        text.Jump(ContextHash(run.target));
        text.Text(run.text);
        text.Command({EndOfJump});
        break;
    }
  }
  text.Command({EndOfParagraph});
  text.Command({EndOfText});
  return TextRecordOf(layout, text);
}

// One 4 KB block of |TOPIC: its records as a reader decompresses them, and the LZ77 tokens that
// make them. A token copies 3 to 18 bytes from 1 to 4,096 bytes back, or is one byte as it is;
// a flag byte comes before each eight tokens, its bits (lowest first) marking the copies. The
// bytes of positions written later are never copied, so that writing them changes no token.
class TopicBlock {
 public:
  static constexpr std::size_t Size = 4096, HeaderSize = 12, Room = Size - HeaderSize;
  static constexpr std::size_t MaxData = 0x4000;  // what a reader decompresses a block into

  // Takes the record if the block still holds it; a block's unused end is zeros, which a reader
  // decompresses into at most as many zeros.
  bool Take(const Record& record) {
    const std::size_t start = data_.size(), tokens = tokens_.size(), bytes = tokenBytes_;
    data_.insert(data_.end(), record.bytes.begin(), record.bytes.end());
    later_.insert(later_.end(), record.later.begin(), record.later.end());
    for (std::size_t at = start; at < data_.size();) {
      const Copy copy = LongestCopy(at);
      tokens_.push_back(copy);
      tokenBytes_ += copy.length != 0 ? 2 : 1;
      at += copy.length != 0 ? copy.length : 1;
    }
    if (PackedSize() <= Room && data_.size() + (Room - PackedSize()) <= MaxData) return true;
    data_.resize(start);
    later_.resize(start);
    tokens_.resize(tokens);
    tokenBytes_ = bytes;
    return false;
  }
  std::size_t DataSize() const { return data_.size(); }
  void Place(std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) data_[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
  Bytes Packed() const {
    Bytes out;
    std::size_t at = 0, flag = 0;
    for (std::size_t i = 0; i < tokens_.size(); ++i) {
      if (i % 8 == 0) {
        flag = out.size();
        Put8(out, 0);
      }
      const Copy& copy = tokens_[i];
      if (copy.length == 0) {
        Put8(out, data_[at++]);
        continue;
      }
      out[flag] = static_cast<std::uint8_t>(out[flag] | (1u << (i % 8)));
      Put16(out, static_cast<unsigned>((copy.distance - 1) | ((copy.length - 3) << 12)));
      at += copy.length;
    }
    return out;
  }

 private:
  struct Copy {
    std::size_t distance = 0, length = 0;  // length 0: a byte as it is
  };
  std::size_t PackedSize() const { return tokenBytes_ + (tokens_.size() + 7) / 8; }
  Copy LongestCopy(std::size_t at) const {
    constexpr std::size_t Window = 4096, Shortest = 3, Longest = 18;
    Copy best;
    if (later_[at]) return best;
    const std::size_t first = at > Window ? at - Window : 0;
    for (std::size_t from = at; from-- > first && best.length < Longest;) {
      std::size_t n = 0;
      while (n < Longest && at + n < data_.size() && !later_[from + n] && !later_[at + n] &&
             data_[from + n] == data_[at + n]) {
        ++n;
      }
      if (n >= Shortest && n > best.length) best = {at - from, n};
    }
    return best;
  }
  Bytes data_;
  std::vector<bool> later_;
  std::vector<Copy> tokens_;
  std::size_t tokenBytes_ = 0;
};

// |TOPIC is LZ77-compressed, in 4 KB blocks, because in that form both readers agree on where a
// record is. A position (TOPICPOS) counts blocks of what a block decompresses to: in an
// uncompressed file, blocks of 4,084 bytes by the format's description (the help engine of
// Windows), but of 16 KB by Wine's viewer, which therefore finds nothing beyond the first block
// where Windows would; compressed, it is 16 KB for both. No record crosses a block, so that a
// reader never has to join two blocks' data.
struct TopicFile {
  Bytes bytes;
  std::vector<std::uint32_t> offsets;  // each topic's TOPICOFFSET
};

TopicFile TopicFileOf(const HelpText& help) {
  std::vector<Record> records;
  std::vector<std::size_t> topicOf;  // the topic each record belongs to
  for (std::size_t t = 0; t < help.topics.size(); ++t) {
    const Topic& topic = help.topics[t];
    std::vector<Record> text;
    for (const Paragraph& paragraph : topic.paragraphs) text.push_back(ParagraphRecord(paragraph));
    // Help compilers end |TOPIC with a record of no text; readers of their files may take the
    // last record for that mark and skip it.
    if (t + 1 == help.topics.size()) {
      Formatter nothing;
      nothing.Command({EndOfText});
      text.push_back(TextRecordOf(LayoutOf(Kind::Body), nothing));
    }
    std::size_t size = LinkHeaderSize + TopicHeaderSize + topic.title.size() + 1;
    for (const Record& r : text) size += r.bytes.size();
    Bytes header;
    Put32(header, static_cast<std::uint32_t>(size));
    for (int i = 0; i < 2; ++i) Put32(header, Nowhere);  // the browse sequence, placed later
    Put32(header, static_cast<std::uint32_t>(t));
    for (int i = 0; i < 3; ++i) Put32(header, Nowhere);  // the regions and the next topic, later
    Bytes title;
    PutString(title, topic.title);
    records.push_back(Link(TopicHeaderRecord, header, title,
                           {PrevBlockAt, NextBlockAt, BrowseBackAt, BrowseForwardAt, NonScrollAt, ScrollAt,
                            NextTopicAt}));
    topicOf.push_back(t);
    for (Record& r : text) {
      records.push_back(std::move(r));
      topicOf.push_back(t);
    }
  }

  // Into blocks, in order; then each record's position and each topic's offset: its block
  // times 0x8000 and the characters of the text before it in that block.
  std::vector<TopicBlock> blocks(1);
  std::vector<std::size_t> blockOf, at;
  for (const Record& record : records) {
    if (!blocks.back().Take(record)) {
      blocks.emplace_back();
      if (!blocks.back().Take(record)) Fail("|TOPIC", "a paragraph too long for a block");
    }
    blockOf.push_back(blocks.size() - 1);
    at.push_back(blocks.back().DataSize() - record.bytes.size());
  }
  const auto position = [&](std::size_t r) {
    return static_cast<std::uint32_t>(TopicBlock::HeaderSize + blockOf[r] * TopicBlock::MaxData + at[r]);
  };
  TopicFile file;
  std::size_t characters = 0;
  std::vector<std::size_t> headers;
  for (std::size_t r = 0; r < records.size(); ++r) {
    if (r > 0 && blockOf[r] != blockOf[r - 1]) characters = 0;
    if (records[r].header) {
      headers.push_back(r);
      file.offsets.push_back(static_cast<std::uint32_t>(blockOf[r] * 0x8000 + characters));
    }
    characters += records[r].characters;
  }

  for (std::size_t r = 0; r < records.size(); ++r) {
    TopicBlock& block = blocks[blockOf[r]];
    block.Place(at[r] + PrevBlockAt, r > 0 ? position(r - 1) : Nowhere);
    block.Place(at[r] + NextBlockAt, r + 1 < records.size() ? position(r + 1) : Nowhere);
    if (!records[r].header) continue;
    const std::size_t t = topicOf[r];
    block.Place(at[r] + BrowseBackAt, t > 0 ? file.offsets[t - 1] : Nowhere);
    block.Place(at[r] + BrowseForwardAt, t + 1 < headers.size() ? file.offsets[t + 1] : Nowhere);
    block.Place(at[r] + NonScrollAt, Nowhere);
    block.Place(at[r] + ScrollAt, position(r + 1));  // every topic has its title paragraph
    block.Place(at[r] + NextTopicAt, t + 1 < headers.size() ? position(headers[t + 1]) : Nowhere);
  }

  // Each block's header: the last record and the last topic header before it, and its first
  // record. Wine's viewer reads a last block shorter than 68 bytes from 68 bytes before the end,
  // so the last is at least that long.
  std::uint32_t lastRecord = Nowhere, lastHeader = Nowhere;
  std::size_t r = 0;
  for (std::size_t b = 0; b < blocks.size(); ++b) {
    Bytes block;
    Put32(block, lastRecord);
    Put32(block, position(r));
    Put32(block, lastHeader);
    Append(block, blocks[b].Packed());
    block.resize(b + 1 < blocks.size() ? TopicBlock::Size : std::max<std::size_t>(block.size(), 0x44), 0);
    Append(file.bytes, block);
    for (; r < records.size() && blockOf[r] == b; ++r) {
      lastRecord = position(r);
      if (records[r].header) lastHeader = position(r);
    }
  }
  return file;
}

// ---- B+ trees and the file system ---------------------------------------------------------------

// A B+ tree of one leaf page, enough for the entries this file has: its header, then the page
// (free bytes at its end, the number of entries, no previous and no next page, the entries).
Bytes BTree(std::string_view structure, bool directory, const std::vector<Bytes>& entries) {
  const unsigned pageSize = directory ? 1024 : 2048;
  constexpr unsigned PageHeaderSize = 8;
  Bytes out;
  Put16(out, 0x293B);
  Put16(out, 0x0002 | (directory ? 0x0400 : 0));
  Put16(out, pageSize);
  PutField(out, structure, 16);
  Put16(out, 0);       // must be zero
  Put16(out, 0);       // page splits
  Put16(out, 0);       // the root page
  Put16(out, 0xFFFF);  // must be -1
  Put16(out, 1);       // pages
  Put16(out, 1);       // levels
  Put32(out, static_cast<std::uint32_t>(entries.size()));
  std::size_t used = PageHeaderSize;
  for (const Bytes& entry : entries) used += entry.size();
  if (used > pageSize) Fail(std::string(structure), "more entries than one B+ tree page holds");
  const std::size_t page = out.size();
  Put16(out, static_cast<unsigned>(pageSize - used));
  Put16(out, static_cast<unsigned>(entries.size()));
  Put16(out, 0xFFFF);
  Put16(out, 0xFFFF);
  for (const Bytes& entry : entries) Append(out, entry);
  out.resize(page + pageSize, 0);
  return out;
}

// The file system: the header (magic, the directory's place, no free list, the file's size),
// then each internal file after its FILEHEADER (the space it takes with the FILEHEADER, its
// size, its flags), the directory last.
Bytes FileSystem(const std::map<std::string, Bytes>& files) {
  Bytes out(16, 0);
  std::vector<Bytes> directory;
  const auto put = [&out](const Bytes& content) {
    constexpr unsigned FileHeaderSize = 9, NormalFile = 4;
    const auto offset = static_cast<std::uint32_t>(out.size());
    Put32(out, static_cast<std::uint32_t>(content.size() + FileHeaderSize));
    Put32(out, static_cast<std::uint32_t>(content.size()));
    Put8(out, NormalFile);
    Append(out, content);
    return offset;
  };
  for (const auto& [name, content] : files) {  // in the directory's order, as strcmp sorts
    Bytes entry;
    PutString(entry, name);
    Put32(entry, put(content));
    directory.push_back(entry);
  }
  const std::uint32_t directoryAt = put(BTree("z4", true, directory));
  Bytes header;
  Put32(header, 0x00035F3F);
  Put32(header, directoryAt);
  Put32(header, Nowhere);
  Put32(header, static_cast<std::uint32_t>(out.size()));
  std::copy(header.begin(), header.end(), out.begin());
  return out;
}

// |SYSTEM: a 3.1 file (minor version 21) whose topics are compressed in 4 KB blocks (flags 4),
// made at no particular time; then its title, legal notice, contents topic, the macro that
// gives the viewer its browse buttons, and the main window with the file's title as caption.
Bytes SystemFile(const HelpText& help, std::uint32_t contents) {
  Bytes out;
  Put16(out, 0x036C);
  Put16(out, 21);
  Put16(out, 1);
  Put32(out, 0);
  Put16(out, 4);
  const auto record = [&out](unsigned type, const Bytes& data) {
    Put16(out, type);
    Put16(out, static_cast<unsigned>(data.size()));
    Append(out, data);
  };
  Bytes title, notice, start, macro, window;
  PutString(title, help.title);
  PutString(notice, help.copyright);
  Put32(start, contents);
  PutString(macro, "BrowseButtons()");
  constexpr unsigned NameGiven = 0x0002, CaptionGiven = 0x0004;
  Put16(window, NameGiven | CaptionGiven);
  PutField(window, "", 10);  // its type
  PutField(window, "main", 9);
  PutField(window, help.title, 51);
  window.resize(window.size() + 5 * 2 + 2 * 4, 0);  // place, size and colours: the viewer's own
  record(1, title);
  record(2, notice);
  record(3, start);
  record(4, macro);
  record(6, window);
  return out;
}

Bytes HelpFileOf(const HelpText& help) {
  const TopicFile topics = TopicFileOf(help);
  std::vector<std::pair<std::int32_t, std::uint32_t>> contexts, numbers;
  std::vector<Bytes> titles;
  for (std::size_t t = 0; t < help.topics.size(); ++t) {
    const Topic& topic = help.topics[t];
    contexts.push_back({ContextHash(topic.context), topics.offsets[t]});
    if (topic.number) numbers.push_back({*topic.number, topics.offsets[t]});
    Bytes title;
    Put32(title, topics.offsets[t]);
    PutString(title, topic.title);
    titles.push_back(title);
  }
  std::sort(contexts.begin(), contexts.end());  // by hash, signed, as readers search them
  for (std::size_t i = 1; i < contexts.size(); ++i)
    if (contexts[i].first == contexts[i - 1].first) Fail("|CONTEXT", "two context strings of one hash");
  std::sort(numbers.begin(), numbers.end());
  std::vector<Bytes> contextEntries;
  for (const auto& [hash, offset] : contexts) {
    Bytes entry;
    Put32(entry, static_cast<std::uint32_t>(hash));
    Put32(entry, offset);
    contextEntries.push_back(entry);
  }
  Bytes map;
  Put16(map, static_cast<unsigned>(numbers.size()));
  for (const auto& [number, offset] : numbers) {
    Put32(map, static_cast<std::uint32_t>(number));
    Put32(map, offset);
  }
  return FileSystem({{"|CONTEXT", BTree("L4", false, contextEntries)},
                     {"|CTXOMAP", map},
                     {"|FONT", FontFile()},
                     {"|SYSTEM", SystemFile(help, topics.offsets.front())},
                     {"|TOPIC", topics.bytes},
                     {"|TTLBTREE", BTree("Lz", false, titles)}});
}

// ---- The HTML Help project ----------------------------------------------------------------------

// Text in a page: the Western code page as it is, with HTML's own characters escaped.
std::string Html(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string HtmlRuns(const std::vector<Run>& runs) {
  std::string out;
  for (const Run& run : runs) {
    switch (run.look) {
      case Look::Plain: out += Html(run.text); break;
      case Look::Bold: out += "<b>" + Html(run.text) + "</b>"; break;
      case Look::Jump:
        out += "<a href=\"" + tolva::engine::HtmlHelpPage(run.target) + "\">" + Html(run.text) + "</a>";
        break;
    }
  }
  return out;
}

// The pages are in the Western code page, as the WinHelp file's text is, and say so; the
// viewer's window and the lists take the topic's title.
std::string PageOf(const Topic& topic) {
  std::string out =
      "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\r\n<html>\r\n<head>\r\n"
      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Windows-1252\">\r\n"
      "<title>" + Html(topic.title) + "</title>\r\n"
      "<style type=\"text/css\">body { font-family: Arial, sans-serif; font-size: 10pt; } "
      "h1 { font-size: 12pt; color: #000080; }</style>\r\n</head>\r\n<body>\r\n";
  bool inList = false;
  for (const Paragraph& paragraph : topic.paragraphs) {
    if (inList && paragraph.kind != Kind::Item) out += "</ul>\r\n";
    if (!inList && paragraph.kind == Kind::Item) out += "<ul>\r\n";
    inList = paragraph.kind == Kind::Item;
    const std::string text = HtmlRuns(paragraph.runs);
    switch (paragraph.kind) {
      case Kind::Heading: out += "<h1>" + text + "</h1>\r\n"; break;
      case Kind::Body: out += "<p>" + text + "</p>\r\n"; break;
      case Kind::Item: out += "<li>" + text + "</li>\r\n"; break;
    }
  }
  if (inList) out += "</ul>\r\n";
  return out + "</body>\r\n</html>\r\n";
}

// A sitemap entry of the contents or the index: a name, and the page it opens (none for a book).
std::string SitemapEntry(std::string_view name, std::string_view page) {
  std::string out = "<li><object type=\"text/sitemap\"><param name=\"Name\" value=\"" + Html(name) + "\">";
  if (!page.empty()) out += "<param name=\"Local\" value=\"" + std::string(page) + "\">";
  return out + "</object>\r\n";
}
std::string Sitemap(const std::string& entries) {
  return "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\r\n<html>\r\n<head>\r\n"
         "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Windows-1252\">\r\n"
         "</head>\r\n<body>\r\n<ul>\r\n" + entries + "</ul>\r\n</body>\r\n</html>\r\n";
}

// The contents as the contents topic lays them out: the topic itself first, then a book for
// each paragraph that is bold words alone, holding the jumps of the items that follow it.
std::string ContentsOf(const HelpText& help) {
  const Topic& contents = help.topics.front();
  std::string out = SitemapEntry(contents.title, tolva::engine::HtmlHelpPage(contents.context));
  bool inBook = false;
  for (const Paragraph& paragraph : contents.paragraphs) {
    const bool book = paragraph.kind == Kind::Body && paragraph.runs.size() == 1 &&
                      paragraph.runs.front().look == Look::Bold;
    if (book) {
      if (inBook) out += "</ul>\r\n";
      out += SitemapEntry(paragraph.runs.front().text, "") + "<ul>\r\n";
      inBook = true;
    }
    if (paragraph.kind != Kind::Item) continue;
    for (const Run& run : paragraph.runs)
      if (run.look == Look::Jump) out += SitemapEntry(run.text, tolva::engine::HtmlHelpPage(run.target));
  }
  if (inBook) out += "</ul>\r\n";
  return Sitemap(out);
}

// The index: every topic by its title, in alphabetical order.
std::string IndexOf(const HelpText& help) {
  std::vector<const Topic*> topics;
  for (const Topic& topic : help.topics) topics.push_back(&topic);
  std::stable_sort(topics.begin(), topics.end(), [](const Topic* a, const Topic* b) {
    return tolva::platform::AsciiUpperText(a->title) < tolva::platform::AsciiUpperText(b->title);
  });
  std::string out;
  for (const Topic* topic : topics) out += SitemapEntry(topic->title, tolva::engine::HtmlHelpPage(topic->context));
  return Sitemap(out);
}

constexpr std::string_view ProjectName = "tolva";

// The project: the viewer's window (its caption the file's title; contents, index and search
// tabs; the contents topic as its first and home page), the pages, every topic's context string
// as the alias of its page, and the context numbers by those aliases.
std::string ProjectOf(const HelpText& help) {
  const std::string name(ProjectName), home = tolva::engine::HtmlHelpPage(help.topics.front().context);
  std::string out = "[OPTIONS]\r\nCompatibility=1.1 or later\r\nCompiled file=" + name +
                    ".chm\r\nContents file=" + name + ".hhc\r\nIndex file=" + name +
                    ".hhk\r\nDefault topic=" + home + "\r\nDefault Window=main\r\n"
                    "Display compile progress=No\r\nLanguage=0x409 English (United States)\r\nTitle=" +
                    help.title + "\r\n\r\n[WINDOWS]\r\nmain=\"" + help.title + "\",\"" + name + ".hhc\",\"" +
                    name + ".hhk\",\"" + home + "\",\"" + home + "\",,,,,0x2520,,0x3006,,,,,,,,0\r\n\r\n[FILES]\r\n";
  for (const Topic& topic : help.topics) out += tolva::engine::HtmlHelpPage(topic.context) + "\r\n";
  out += "\r\n[ALIAS]\r\n";
  for (const Topic& topic : help.topics) out += topic.context + "=" + tolva::engine::HtmlHelpPage(topic.context) + "\r\n";
  out += "\r\n[MAP]\r\n";
  for (const Topic& topic : help.topics)
    if (topic.number) out += "#define " + topic.context + " " + std::to_string(*topic.number) + "\r\n";
  return out;
}

void WriteFile(const fs::path& path, std::string_view text) {
  std::ofstream out(path, std::ios::binary);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  if (!out) Fail(path.string(), "cannot be written");
}

// A path as one word of a shell command.
std::string Quoted(const fs::path& path) {
  std::string out = "'";
  for (const char c : path.string()) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}
void RunCommand(const std::string& command) {
  if (std::system(command.c_str()) != 0) Fail(command, "failed");
}

void WriteHtmlProject(const HelpText& help, const fs::path& dir) {
  fs::create_directories(dir);
  for (const Topic& topic : help.topics) WriteFile(dir / tolva::engine::HtmlHelpPage(topic.context), PageOf(topic));
  const std::string name(ProjectName);
  WriteFile(dir / (name + ".hhc"), ContentsOf(help));
  WriteFile(dir / (name + ".hhk"), IndexOf(help));
  WriteFile(dir / (name + ".hhp"), ProjectOf(help));
}

void CompileHtmlHelp(const HelpText& help, const fs::path& outFile) {
  const fs::path project = fs::absolute(outFile).parent_path() / "chm-project";
  fs::remove_all(project);
  WriteHtmlProject(help, project);
  const std::string name(ProjectName);
  RunCommand("cd " + Quoted(project) + " && chmcmd --no-html-scan " + name + ".hhp >" + Quoted(project / "chmcmd.log") + " 2>&1");
  const fs::path chm = project / (name + ".chm");
  for (const char* part : {"/#IVB", "/#STRINGS"}) {
    RunCommand("test_chmLib " + Quoted(chm) + " '" + part + "' " + Quoted(project / (part + 2)) + " >/dev/null");
  }
  tolva::generator::MendContextMap(chm, project / "IVB", project / "STRINGS");
  fs::copy_file(chm, outFile, fs::copy_options::overwrite_existing);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view mode = argc == 4 ? argv[1] : "";
  if (argc != 3 && mode != "--html" && mode != "--chm") {
    std::fprintf(stderr, "usage: %s HELPDIR OUTFILE\n       %s --html HELPDIR OUTDIR\n       %s --chm HELPDIR OUTFILE\n",
                 argv[0], argv[0], argv[0]);
    return 2;
  }
  try {
    if (mode == "--html") {
      WriteHtmlProject(ReadHelpText(argv[2]), argv[3]);
      return 0;
    }
    if (mode == "--chm") {
      CompileHtmlHelp(ReadHelpText(argv[2]), argv[3]);
      return 0;
    }
    const Bytes file = HelpFileOf(ReadHelpText(argv[1]));
    std::ofstream out(argv[2], std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    if (!out) Fail(argv[2], "cannot be written");
  } catch (const std::exception& error) {
    std::fprintf(stderr, "tolva_help: %s\n", error.what());
    return 1;
  }
  return 0;
}
