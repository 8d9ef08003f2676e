#pragma once
#include <memory>
#include <string>

#include <libxml/tree.h>

namespace pw {

struct XmlDocFree {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
using XmlDocPtr = std::unique_ptr<xmlDoc, XmlDocFree>;

// A drawing's XML read by libxml2 with nothing outside the bytes reached:
// no network, no external DTD or entity loaded, and a document that declares
// entities of its own refused while it is read (so that an expansion bomb
// never starts). `error` is one of the fixed messages of SvgFlatsMessages.h.
struct SvgXml {
    XmlDocPtr doc;
    std::string error;
};
SvgXml ReadSvgXml(const std::string& bytes);

// An attribute's value by local name and namespace URI (nullptr: no
// namespace), or empty.
std::string XmlAttribute(const xmlNode* node, const char* name, const char* nsUri);

}  // namespace pw
