#pragma once
// A small XML document object model over pugixml, shaped as the editor uses its
// XML files: a document bound to a file, its document element, child lists read
// by count, index or name, and attributes read and written as text.
//
// Texts cross this interface as Windows-1252 bytes, the way the program stores
// them. A document whose declaration names windows-1252 keeps its bytes as they
// are; any other document (UTF-8 by default) is converted on the way in and out.
//
// Nodes and node lists are light handles into their document: they stay valid
// until the node is removed or the document is loaded again or destroyed.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

namespace platform {

class XmlDocument;
class XmlNodeList;

class XmlNode {
public:
    XmlNode() = default;

    bool IsNull() const { return !node_; }
    explicit operator bool() const { return bool(node_); }
    bool IsElement() const { return node_.type() == pugi::node_element; }

    // The element's qualified name; "#text", "#cdata-section", "#comment" or
    // "#processing-instruction" for the other kinds of node.
    std::string NodeName() const;
    // The name without its namespace prefix ("a:Units" gives "Units").
    std::string LocalName() const;

    // Every child node (elements, comments, text) in document order; the white space
    // that only lays out the file is none.
    XmlNodeList ChildNodes() const;
    // The first child element whose local name equals `localName` exactly; null when none.
    XmlNode FindChildNode(std::string_view localName) const;
    // As FindChildNode, but appends an empty element of that name when there is none.
    XmlNode FindOrAddChildNode(std::string_view localName) const;
    // Null below a non-element node and where the new element would lie deeper
    // than XmlDocument::kMaxDepth, as the document would not read back.
    XmlNode AddChild(std::string_view name) const;

    bool HasAttribute(std::string_view name) const;
    // The attribute's text, empty when the attribute is absent.
    std::string GetAttribute(std::string_view name) const;
    // Adds the attribute when absent. Returns false only for a null or non-element node.
    bool SetAttribute(std::string_view name, std::string_view text) const;

private:
    friend class XmlDocument;
    friend class XmlNodeList;
    XmlNode(pugi::xml_node node, const XmlDocument* document) : node_(node), document_(document) {}

    std::string FromStored(const char* text) const;
    std::string ToStored(std::string_view text) const;

    pugi::xml_node node_;
    const XmlDocument* document_ = nullptr;
};

// The children of a node as they were when the list was taken.
class XmlNodeList {
public:
    size_t Count() const { return nodes_.size(); }
    // Null when `index` is outside the list.
    XmlNode Get(size_t index) const { return index < nodes_.size() ? nodes_[index] : XmlNode(); }
    // The first element of the list whose local name equals `localName`; null when none.
    XmlNode FindNode(std::string_view localName) const;

private:
    friend class XmlNode;
    std::vector<XmlNode> nodes_;
};

class XmlDocument {
public:
    XmlDocument() = default;
    explicit XmlDocument(std::filesystem::path fileName) : fileName_(std::move(fileName)) {}
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    void SetFileName(std::filesystem::path fileName) { fileName_ = std::move(fileName); }
    const std::filesystem::path& FileName() const { return fileName_; }

    // Reads and parses the bound file. On failure the document is empty and
    // `error` names the file, the place and what is wrong.
    bool Load(std::string& error);
    // Parses `text`; `sourceName` stands for the file name in error messages.
    bool LoadFromText(std::string_view text, std::string& error, std::string_view sourceName = "XML text");

    // Writes the document to the bound file, or to `fileName`, atomically: in the
    // layout it was read with, elements added since on lines of their own (two spaces
    // a level), a new document so throughout. Refuses to write more than kMaxFileBytes,
    // which would not read again.
    bool Save(std::string& error) const { return SaveToFile(fileName_, error); }
    bool SaveToFile(const std::filesystem::path& fileName, std::string& error) const;
    std::string SaveToText() const;

    // Null when the document has no element.
    XmlNode DocumentElement() const;
    // The document element, created with `name` when the document has none.
    XmlNode EnsureDocumentElement(std::string_view name);

    bool StoresWindows1252() const { return storesWindows1252_; }

    static constexpr uint64_t kMaxFileBytes = uint64_t(64) << 20;
    // Elements nested deeper than this are refused on reading (text inside the
    // deepest is no level), and AddChild makes none. No file of the program comes
    // near it.
    static constexpr int kMaxDepth = 256;

private:
    bool Parse(const void* data, size_t size, std::string& error, std::string_view sourceName);

    pugi::xml_document document_;
    std::filesystem::path fileName_;
    pugi::xml_encoding fileEncoding_ = pugi::encoding_utf8;
    bool storesWindows1252_ = false;
};

} // namespace platform
