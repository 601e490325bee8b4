#include "profile/FileTypeDetect.h"

#include <vector>

#include "profile/TextSource.h"
#include "profile/Tokens.h"
#include "profile/XmlDocument.h"
#include "profile/ZipArchive.h"
#include "text/Translate.h"

namespace {

// How much of the start of a file tells a binary file, an archive or an XML
// document from text.
constexpr std::size_t kHeadBytes = 4096;

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// Whether a line of text, as LineReader hands them out, starts with key. A
// line starts the text or follows a line feed or a carriage return; a key
// that starts with none of those nor NUL is looked for only where its first
// character is.
bool HasLineStarting(std::string_view text, std::string_view key) {
  for (std::size_t at = text.find(key.front()); at != std::string_view::npos;
       at = text.find(key.front(), at + 1)) {
    const bool lineStart = at == 0 || text[at - 1] == '\n' || text[at - 1] == '\r';
    if (lineStart && text.substr(at).starts_with(key)) return true;
  }
  return false;
}

std::string_view WithoutBom(std::string_view bytes) {
  if (bytes.starts_with(kBom)) bytes.remove_prefix(kBom.size());
  return bytes;
}

std::string_view SkipBlanks(std::string_view text) {
  const std::size_t begin = text.find_first_not_of(" \t\r\n");
  return begin == std::string_view::npos ? std::string_view() : text.substr(begin);
}

// Skips what may come before an XML document's root element: the XML
// declaration, processing instructions, comments and a DOCTYPE (with its
// internal subset). False when the text ends first.
bool SkipProlog(std::string_view& text) {
  for (;;) {
    text = SkipBlanks(text);
    std::string_view end;
    if (text.starts_with("<?")) {
      end = "?>";
    } else if (text.starts_with("<!--")) {
      end = "-->";
    } else if (text.starts_with("<!")) {
      // A DOCTYPE ends at the '>' after its internal subset, if any.
      const std::size_t close = text.find_first_of("[>");
      if (close == std::string_view::npos) return false;
      end = text[close] == '[' ? "]" : ">";
    } else {
      return true;
    }
    const std::size_t at = text.find(end);
    if (at == std::string_view::npos) return false;
    text.remove_prefix(at + end.size());
    if (end == "]") {
      const std::size_t close = text.find('>');
      if (close == std::string_view::npos) return false;
      text.remove_prefix(close + 1);
    }
  }
}

// The root element's name of text that starts as an XML document does, or
// nothing for text that does not.
std::optional<std::string> XmlRootName(std::string_view text) {
  text = SkipBlanks(WithoutBom(text));
  if (!text.starts_with('<')) return std::nullopt;
  if (!SkipProlog(text) || !text.starts_with('<')) return std::string();
  const std::string_view name = text.substr(1, text.find_first_of(" \t\r\n/>") - 1);
  const std::size_t colon = name.rfind(':');
  return std::string(colon == std::string_view::npos ? name : name.substr(colon + 1));
}

Detection DetectArchive(std::string_view bytes) {
  try {
    const ZipArchive archive(bytes);
    if (archive.Has("Data0/Profile0.txt")) return {ProfileFormat::Rasx, {}};
    if (archive.Has("Experiment0/DataContainer.xml") || archive.Has("Experiment0/RawData0.xml")) {
      return {ProfileFormat::Brml, {}};
    }
    return {std::nullopt,
            Translated(QT_TRANSLATE_NOOP("tav", "RASX・BRML のデータがない zip アーカイブ"))};
  } catch (const ProfileFormatError&) {
    return {std::nullopt, Translated(QT_TRANSLATE_NOOP("tav", "壊れた zip アーカイブ"))};
  }
}

// Bruker RAW files start "RAW " (version 1), "RAW2", "RAW1.01" or "RAW4.00".
bool IsBrukerRaw(std::string_view bytes) {
  return bytes.starts_with("RAW4.00") || bytes.starts_with("RAW1.01") ||
         bytes.starts_with("RAW2") || bytes.starts_with("RAW ");
}

// The first lines of a text, without their line ends.
std::vector<std::string_view> FirstLines(std::string_view text, std::size_t n) {
  std::vector<std::string_view> lines;
  LineReader reader(text);
  std::string_view line;
  while (lines.size() < n && reader.Next(line)) lines.push_back(WithoutLineEnd(line));
  return lines;
}

bool IsLoneInteger(std::string_view line) {
  const std::size_t begin = line.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return false;
  const std::size_t end = line.find_last_not_of(" \t");
  return line.substr(begin, end - begin + 1).find_first_not_of("0123456789") ==
         std::string_view::npos;
}

// CHI: a fourth line holding only the point count, a fifth of two numbers,
// and a second line (the X label) that is not a row of numbers.
bool LooksLikeChi(std::string_view text) {
  const std::vector<std::string_view> lines = FirstLines(text, 5);
  std::vector<double> numbers;
  return lines.size() == 5 && IsLoneInteger(lines[3]) && ParseNumberList(lines[4], numbers) &&
         numbers.size() >= 2 && !ParseNumberList(lines[1], numbers);
}

bool LooksLikeUxd(std::string_view text) {
  return HasLineStarting(text, "_FILEVERSION") || HasLineStarting(text, "_2THETACOUNTS") ||
         HasLineStarting(text, "_2THETACPS") || HasLineStarting(text, "_COUNTS") ||
         HasLineStarting(text, "_CPS");
}

// CIF powder data: a data block heading and a powder-data item, each at the
// start of a line.
bool LooksLikePowderCif(std::string_view text) {
  return (HasLineStarting(text, "data_") || HasLineStarting(text, "DATA_")) &&
         HasLineStarting(text, "_pd_");
}

bool LooksStructured(std::string_view head) {
  return LooksLikeZip(head) || XmlRootName(head).has_value();
}

}  // namespace

FileType DetectFileType(const std::string& path) {
  std::string text;
  std::string error;
  if (!LoadProfileText(path, text, error)) return FileType::Xy;
  return HasLineStarting(text, "*COUNT") ? FileType::Rigaku : FileType::Xy;
}

Detection DetectProfileFormat(std::string_view bytes) {
  if (LooksLikeZip(bytes)) return DetectArchive(bytes);
  if (IsBrukerRaw(bytes)) return {ProfileFormat::Raw, {}};
  const std::string_view head = bytes.substr(0, kHeadBytes);
  if (const auto root = XmlRootName(bytes)) {
    if (*root == "xrdMeasurements") return {ProfileFormat::Xrdml, {}};
    if (root->empty()) return {std::nullopt, Translated(QT_TRANSLATE_NOOP("tav", "XML 文書"))};
    return {std::nullopt,
            TranslatedFormat(QT_TRANSLATE_NOOP("tav", "ルート要素が %1 の XML 文書"), {*root})};
  }
  if (head.find('\0') != std::string_view::npos)
    return {std::nullopt, Translated(QT_TRANSLATE_NOOP("tav", "形式の分からないバイナリファイル"))};
  const std::string_view text = WithoutBom(bytes);
  if (HasLineStarting(text, "*RAS_DATA_START")) return {ProfileFormat::Ras, {}};
  if (HasLineStarting(text, "*COUNT")) return {ProfileFormat::Rigaku, {}};
  if (LooksLikePowderCif(text)) return {ProfileFormat::Cif, {}};
  if (LooksLikeUxd(text)) return {ProfileFormat::Uxd, {}};
  if (HasLineStarting(text, "BANK ")) return {ProfileFormat::Gsas, {}};
  if (LooksLikeChi(text)) return {ProfileFormat::Chi, {}};
  return {ProfileFormat::Xy, {}};
}

bool LoadProfileBytes(const std::string& path, std::string& bytes, std::string& error) {
  // Any file is read up to the structured documents' limit; only a larger
  // text file needs a second read.
  static_assert(kMaxDocumentBytes >= kHeadBytes);
  bool whole = true;
  if (!LoadFileBytes(path, kMaxDocumentBytes, bytes, whole, error)) return false;
  if (whole) return true;
  const bool structured = LooksStructured(std::string_view(bytes).substr(0, kHeadBytes));
  const std::size_t limit = structured ? kMaxDocumentBytes : std::string::npos - 1;
  if (!structured && !LoadFileBytes(path, limit, bytes, whole, error)) return false;
  if (!whole)
    error = TranslatedFormat(QT_TRANSLATE_NOOP("tav", "大きすぎます (%1 バイトまで)"),
                             {std::to_string(limit)});
  return whole;
}
