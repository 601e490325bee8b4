#pragma once

#include <cstddef>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <string_view>

// The most bytes of XML the readers parse, and of a zip archive or one of its
// members they read: far above any measured profile, low enough that a
// hostile file cannot exhaust memory.
constexpr std::size_t kMaxDocumentBytes = std::size_t{256} << 20;

// Parses an XML document from bytes. A document over kMaxDocumentBytes, or
// one that is not well formed, throws ProfileFormatError saying so with what
// (the member or format) in front. Entity declarations of a DOCTYPE are never
// expanded: a reference to one stays text, which no reader takes for a number.
void ParseXml(std::string_view bytes, pugi::xml_document& document, const std::string& what);

// The element's name without its namespace prefix.
std::string_view LocalName(const pugi::xml_node& node);
// The first child element of that local name, or an empty node.
pugi::xml_node Child(const pugi::xml_node& parent, std::string_view localName);
// The first element of that local name below root, in document order, or an
// empty node (the search walks the tree without recursion, whatever its depth).
pugi::xml_node Descendant(const pugi::xml_node& root, std::string_view localName);
// The element's character data: its text and CDATA children joined in
// document order, comments and processing instructions between them skipped
// (child elements are not looked into).
std::string CharacterData(const pugi::xml_node& element);
// The character data of an element that holds a list of numbers. An element
// inside it throws ProfileFormatError: its values would be lost unseen.
std::string NumberListText(const pugi::xml_node& element);
// The element's character data, blanks around it removed.
std::string TrimmedText(const pugi::xml_node& node);
// A positive finite number from the whole of text (blanks around it allowed),
// or nothing: wavelengths and ratios that are not one stay unknown.
std::optional<double> PositiveNumber(std::string_view text);
