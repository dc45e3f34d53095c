#include "platform/XmlDocument.h"

#include "platform/FileSystem.h"
#include "platform/Windows1252.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <sstream>

namespace platform {
namespace {

// Parse options: keep the declaration, comments and the white space between elements,
// so that a document read and saved again keeps its own layout, and so its size.
constexpr unsigned kParseOptions =
    pugi::parse_default | pugi::parse_declaration | pugi::parse_comments | pugi::parse_ws_pcdata;

bool IsLayoutSpace(pugi::xml_node node)
{
    if (node.type() != pugi::node_pcdata)
        return false;
    const std::string_view text = node.value();
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

pugi::xml_node AddLayoutSpace(pugi::xml_node parent, pugi::xml_node before, const std::string& text)
{
    pugi::xml_node space = before ? parent.insert_child_before(pugi::node_pcdata, before)
                                  : parent.append_child(pugi::node_pcdata);
    space.set_value(text.c_str());
    return space;
}

std::string_view LocalPart(std::string_view name)
{
    size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

bool IsSingleByteEncodingName(std::string name)
{
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return name == "windows-1252" || name == "cp1252" || name == "x-cp1252";
}

// Line and column (both from 1) of byte `offset` in `data`.
std::pair<size_t, size_t> LineAndColumn(const char* data, size_t size, size_t offset)
{
    offset = std::min(offset, size);
    size_t line = 1, column = 1;
    for (size_t i = 0; i < offset; ++i) {
        if (data[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return {line, column};
}

// The first element nested deeper than `limit` elements, or null. Text,
// comments and the like inside the deepest elements are no level of their own.
pugi::xml_node FirstElementDeeperThan(const pugi::xml_document& document, int limit)
{
    int depth = 0;
    pugi::xml_node node = document.first_child();
    while (node) {
        if (depth >= limit && node.type() == pugi::node_element)
            return node;
        if (node.first_child()) {
            node = node.first_child();
            ++depth;
            continue;
        }
        while (node && !node.next_sibling()) {
            node = node.parent();
            --depth;
        }
        if (node)
            node = node.next_sibling();
    }
    return {};
}

std::string ReadError(std::string_view sourceName, const char* data, size_t size, ptrdiff_t offset,
                      std::string_view what)
{
    auto [line, column] = LineAndColumn(data, size, size_t(std::max<ptrdiff_t>(offset, 0)));
    std::ostringstream message;
    message << "Cannot read the XML file \"" << sourceName << "\": line " << line << ", column " << column
            << " (byte " << offset << "): " << what << ".";
    return message.str();
}

struct StringWriter : pugi::xml_writer {
    std::string text;
    void write(const void* data, size_t size) override { text.append(static_cast<const char*>(data), size); }
};

} // namespace

// ---- XmlNode ---------------------------------------------------------------

std::string XmlNode::FromStored(const char* text) const
{
    if (document_ && !document_->StoresWindows1252())
        return Utf8ToWindows1252(text);
    return text;
}

std::string XmlNode::ToStored(std::string_view text) const
{
    if (document_ && !document_->StoresWindows1252())
        return Windows1252ToUtf8(text);
    return std::string(text);
}

std::string XmlNode::NodeName() const
{
    switch (node_.type()) {
    case pugi::node_element: return node_.name();
    case pugi::node_pcdata: return "#text";
    case pugi::node_cdata: return "#cdata-section";
    case pugi::node_comment: return "#comment";
    case pugi::node_pi: return "#processing-instruction";
    default: return "";
    }
}

std::string XmlNode::LocalName() const
{
    std::string name = NodeName();
    return IsElement() ? std::string(LocalPart(name)) : name;
}

XmlNodeList XmlNode::ChildNodes() const
{
    XmlNodeList list;
    for (pugi::xml_node child : node_.children())
        if (!IsLayoutSpace(child))
            list.nodes_.push_back(XmlNode(child, document_));
    return list;
}

XmlNode XmlNode::FindChildNode(std::string_view localName) const
{
    for (pugi::xml_node child : node_.children())
        if (child.type() == pugi::node_element && LocalPart(child.name()) == localName)
            return XmlNode(child, document_);
    return {};
}

XmlNode XmlNode::FindOrAddChildNode(std::string_view localName) const
{
    XmlNode found = FindChildNode(localName);
    return found ? found : AddChild(localName);
}

XmlNode XmlNode::AddChild(std::string_view name) const
{
    if (!IsElement() && node_.type() != pugi::node_document)
        return {};
    int depth = 0;
    for (pugi::xml_node above = node_; above.type() == pugi::node_element; above = above.parent())
        ++depth;
    if (depth >= XmlDocument::kMaxDepth)
        return {};
    // The new element takes a line of its own, indented as its siblings are, where the
    // element's children have theirs; when it has none yet, where the element has one,
    // indented two spaces more. In a document written on one line it follows its siblings.
    pugi::xml_node parent = node_; // a handle: appending changes the document, not the handle
    const std::string element(name);
    pugi::xml_node last = parent.last_child(), first = parent.first_child(), before = parent.previous_sibling();
    if (depth == 0 || (last ? !IsLayoutSpace(last) : before && !IsLayoutSpace(before)))
        return XmlNode(parent.append_child(element.c_str()), document_);
    if (!last)
        first = last = AddLayoutSpace(parent, {}, before ? before.value() : "\n");
    const std::string line = first != last && IsLayoutSpace(first) ? first.value() : last.value() + std::string("  ");
    AddLayoutSpace(parent, last, line);
    return XmlNode(parent.insert_child_before(element.c_str(), last), document_);
}

bool XmlNode::HasAttribute(std::string_view name) const
{
    return bool(node_.attribute(std::string(name).c_str()));
}

std::string XmlNode::GetAttribute(std::string_view name) const
{
    return FromStored(node_.attribute(std::string(name).c_str()).value());
}

bool XmlNode::SetAttribute(std::string_view name, std::string_view text) const
{
    if (!IsElement())
        return false;
    std::string key(name);
    pugi::xml_node element = node_;
    pugi::xml_attribute attribute = element.attribute(key.c_str());
    if (!attribute)
        attribute = element.append_attribute(key.c_str());
    return attribute.set_value(ToStored(text).c_str());
}

XmlNode XmlNodeList::FindNode(std::string_view localName) const
{
    for (const XmlNode& node : nodes_)
        if (node.IsElement() && node.LocalName() == localName)
            return node;
    return {};
}

// ---- XmlDocument -----------------------------------------------------------

bool XmlDocument::Load(std::string& error)
{
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(fileName_, bytes, error, kMaxFileBytes)) {
        document_.reset();
        return false;
    }
    return Parse(bytes.data(), bytes.size(), error, fileName_.string());
}

bool XmlDocument::LoadFromText(std::string_view text, std::string& error, std::string_view sourceName)
{
    return Parse(text.data(), text.size(), error, sourceName);
}

bool XmlDocument::Parse(const void* data, size_t size, std::string& error, std::string_view sourceName)
{
    storesWindows1252_ = false;
    fileEncoding_ = pugi::encoding_utf8;
    pugi::xml_parse_result result = document_.load_buffer(data, size, kParseOptions, pugi::encoding_auto);
    const char* text = static_cast<const char*>(data);
    if (!result) {
        error = ReadError(sourceName, text, size, result.offset, result.description());
        document_.reset();
        return false;
    }
    if (const pugi::xml_node deep = FirstElementDeeperThan(document_, kMaxDepth)) {
        error = ReadError(sourceName, text, size, deep.offset_debug(),
                          "elements are nested deeper than " + std::to_string(kMaxDepth) +
                              " levels; the file is damaged");
        document_.reset();
        return false;
    }
    // Nodes beside the document element keep no white space: each goes on a line of its own.
    for (pugi::xml_node node = document_.first_child().next_sibling(); node; node = node.next_sibling())
        if (!IsLayoutSpace(node) && !IsLayoutSpace(node.previous_sibling()))
            AddLayoutSpace(document_, node, "\n");
    if (!IsLayoutSpace(document_.last_child()))
        AddLayoutSpace(document_, {}, "\n");
    fileEncoding_ = result.encoding;
    pugi::xml_node declaration = document_.first_child();
    if (declaration.type() == pugi::node_declaration)
        storesWindows1252_ = IsSingleByteEncodingName(declaration.attribute("encoding").value());
    return true;
}

std::string XmlDocument::SaveToText() const
{
    StringWriter writer;
    document_.save(writer, "", pugi::format_raw | pugi::format_no_declaration, fileEncoding_);
    return writer.text;
}

bool XmlDocument::SaveToFile(const std::filesystem::path& fileName, std::string& error) const
{
    if (fileName.empty()) {
        error = "The XML document has no file name to save to.";
        return false;
    }
    std::string text = SaveToText();
    if (text.size() > kMaxFileBytes) {
        error = "Cannot write \"" + fileName.string() + "\": the document takes " + std::to_string(text.size()) +
                " bytes, more than the " + std::to_string(kMaxFileBytes) + " an XML file can have to be read again.";
        return false;
    }
    return WriteFileAtomically(fileName, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()), error);
}

XmlNode XmlDocument::DocumentElement() const
{
    return XmlNode(document_.document_element(), this);
}

XmlNode XmlDocument::EnsureDocumentElement(std::string_view name)
{
    XmlNode element = DocumentElement();
    if (element)
        return element;
    document_.reset();
    document_.append_child(pugi::node_declaration).append_attribute("version").set_value("1.0");
    AddLayoutSpace(document_, {}, "\n");
    element = XmlNode(document_.append_child(std::string(name).c_str()), this);
    AddLayoutSpace(document_, {}, "\n");
    return element;
}

} // namespace platform
