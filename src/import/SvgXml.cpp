#include "import/SvgXml.h"

#include <climits>

#include <libxml/parser.h>

#include "import/SvgFlatsMessages.h"

namespace pw {

namespace {

struct ParserContextFree {
    void operator()(xmlParserCtxt* ctxt) const { xmlFreeParserCtxt(ctxt); }
};

// Any entity declaration stops the parser: SVG has no use for them, and
// refusing them at once is what keeps a "billion laughs" from expanding.
void RefuseEntity(void* userData, const xmlChar*, int, const xmlChar*, const xmlChar*, xmlChar*) {
    auto* ctxt = static_cast<xmlParserCtxt*>(userData);
    *static_cast<bool*>(ctxt->_private) = true;
    xmlStopParser(ctxt);
}

}  // namespace

SvgXml ReadSvgXml(const std::string& bytes) {
    SvgXml result;
    if (bytes.size() > INT_MAX) {
        result.error = msg::kSvgNotXml;
        return result;
    }
    std::unique_ptr<xmlParserCtxt, ParserContextFree> ctxt(xmlNewParserCtxt());
    if (!ctxt) {
        result.error = msg::kSvgNotXml;
        return result;
    }
    bool entities = false;
    ctxt->_private = &entities;
    ctxt->sax->entityDecl = RefuseEntity;
    // No XML_PARSE_NOENT, DTDLOAD or HUGE: entities stay references, no DTD is
    // loaded, libxml2's own size limits hold; NONET forbids any fetch.
    const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NOCDATA;
    result.doc.reset(xmlCtxtReadMemory(ctxt.get(), bytes.data(), static_cast<int>(bytes.size()), "drawing.svg", nullptr, options));
    if (entities) {
        result.doc.reset();
        result.error = msg::kSvgEntities;
    } else if (!result.doc || !ctxt->wellFormed) {
        result.doc.reset();
        result.error = msg::kSvgNotXml;
    } else {
        const xmlNode* root = xmlDocGetRootElement(result.doc.get());
        if (!root || xmlStrcmp(root->name, BAD_CAST "svg") != 0) {
            result.doc.reset();
            result.error = msg::kSvgNotSvg;
        }
    }
    return result;
}

std::string XmlAttribute(const xmlNode* node, const char* name, const char* nsUri) {
    for (const xmlAttr* a = node->properties; a; a = a->next) {
        if (xmlStrcmp(a->name, BAD_CAST name) != 0) continue;
        const bool inNs = a->ns && a->ns->href;
        if (nsUri ? !(inNs && xmlStrcmp(a->ns->href, BAD_CAST nsUri) == 0) : inNs) continue;
        xmlChar* value = xmlNodeListGetString(node->doc, a->children, 1);
        std::string out = value ? reinterpret_cast<const char*>(value) : "";
        xmlFree(value);
        return out;
    }
    return {};
}

}  // namespace pw
