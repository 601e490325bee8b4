#include "profile/XmlDocument.h"

#include <vector>

#include "profile/ProfileFormat.h"
#include "profile/Tokens.h"
#include "text/Translate.h"

void ParseXml(std::string_view bytes, pugi::xml_document& document, const std::string& what) {
  if (bytes.size() > kMaxDocumentBytes) {
    throw ProfileFormatError(
        TranslatedFormat(QT_TRANSLATE_NOOP("tav", "%1 が大きすぎます (%2 バイト)"),
                         {what, std::to_string(bytes.size())}));
  }
  // Without parse_doctype the DOCTYPE, internal subset and all, is skipped;
  // parse_escapes only replaces the five predefined entities and character
  // references.
  const pugi::xml_parse_result result =
      document.load_buffer(bytes.data(), bytes.size(), pugi::parse_default);
  if (!result) {
    throw ProfileFormatError(
        TranslatedFormat(QT_TRANSLATE_NOOP("tav", "%1 の XML が壊れています (%2, %3 バイト目)"),
                         {what, result.description(), std::to_string(result.offset)}));
  }
}

std::string_view LocalName(const pugi::xml_node& node) {
  const std::string_view name = node.name();
  const std::size_t colon = name.rfind(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

pugi::xml_node Child(const pugi::xml_node& parent, std::string_view localName) {
  for (const pugi::xml_node& child : parent.children()) {
    if (child.type() == pugi::node_element && LocalName(child) == localName) return child;
  }
  return {};
}

pugi::xml_node Descendant(const pugi::xml_node& root, std::string_view localName) {
  // find_node walks the tree iteratively.
  return root.find_node([localName](const pugi::xml_node& node) {
    return node.type() == pugi::node_element && LocalName(node) == localName;
  });
}

std::string CharacterData(const pugi::xml_node& element) {
  std::string text;
  for (const pugi::xml_node& child : element.children()) {
    if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
      text += child.value();
  }
  return text;
}

std::string NumberListText(const pugi::xml_node& element) {
  for (const pugi::xml_node& child : element.children()) {
    if (child.type() == pugi::node_element) {
      throw ProfileFormatError(
          TranslatedFormat(QT_TRANSLATE_NOOP("tav", "<%1> の数値の間に要素 <%2> があります"),
                           {std::string(LocalName(element)), std::string(LocalName(child))}));
    }
  }
  return CharacterData(element);
}

std::string TrimmedText(const pugi::xml_node& node) {
  const std::string joined = CharacterData(node);
  const std::string_view text = joined;
  const std::size_t begin = text.find_first_not_of(" \t\r\n");
  if (begin == std::string_view::npos) return {};
  const std::size_t end = text.find_last_not_of(" \t\r\n");
  return std::string(text.substr(begin, end - begin + 1));
}

std::optional<double> PositiveNumber(std::string_view text) {
  std::vector<double> numbers;
  if (!ParseNumberList(text, numbers) || numbers.size() != 1 || !(numbers[0] > 0)) {
    return std::nullopt;
  }
  return numbers[0];
}
