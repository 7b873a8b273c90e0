#include "modules/foreign/html_text.h"

#include <libxml/HTMLparser.h>
#include <libxml/tree.h>

#include <climits>
#include <memory>
#include <set>

namespace cardwise {
namespace {

bool isBlock(std::string_view name) {
    static const std::set<std::string_view> kBlocks = {
        "address", "article", "blockquote", "center", "dd",      "div",   "dl", "dt",     "figure",
        "footer",  "h1",      "h2",         "h3",     "h4",      "h5",    "h6", "header", "hr",
        "li",      "ol",      "p",          "pre",    "section", "table", "tr", "ul"};
    return kBlocks.contains(name);
}

class TextWalk {
  public:
    void element(xmlNode* node) {
        const std::string_view name = reinterpret_cast<const char*>(node->name);
        if (name == "script" || name == "style" || name == "head" || name == "title") return;
        if (name == "br") {
            lineBreak(true);
            return;
        }
        if (name == "img" || name == "audio") {
            if (xmlChar* src = xmlGetProp(node, reinterpret_cast<const xmlChar*>("src"))) {
                (name == "img" ? out_.pictures : out_.sounds)
                    .emplace_back(reinterpret_cast<const char*>(src));
                xmlFree(src);
            }
            return;
        }
        const bool block = isBlock(name);
        if (block) lineBreak(false);
        children(node);
        if (block) lineBreak(false);
    }

    void children(xmlNode* node) { nodes(node->children); }

    void nodes(xmlNode* first) {
        for (xmlNode* child = first; child; child = child->next) {
            if (child->type == XML_ELEMENT_NODE) {
                element(child);
            } else if (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE) {
                text(reinterpret_cast<const char*>(child->content));
            }
        }
    }

    HtmlText finish() {
        std::string& t = out_.text;
        // Blanks at the ends of lines, and empty lines at the ends of the text.
        std::string clean;
        clean.reserve(t.size());
        std::size_t start = 0;
        while (start <= t.size()) {
            std::size_t end = t.find('\n', start);
            if (end == std::string::npos) end = t.size();
            std::string_view line(t.data() + start, end - start);
            while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
            while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
            clean.append(line);
            if (end < t.size()) clean += '\n';
            start = end + 1;
        }
        const std::size_t first = clean.find_first_not_of('\n');
        if (first == std::string::npos) {
            clean.clear();
        } else {
            clean.erase(clean.find_last_not_of('\n') + 1);
            clean.erase(0, first);
        }
        t = std::move(clean);
        return std::move(out_);
    }

  private:
    // A <br> always breaks; a block only ends a line that has something on it.
    void lineBreak(bool always) {
        std::string& t = out_.text;
        if (always || (!t.empty() && t.back() != '\n')) t += '\n';
    }

    void text(const char* content) {
        if (!content) return;
        std::string& t = out_.text;
        for (const char* p = content; *p; ++p) {
            const char c = *p;
            if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f') {
                if (!t.empty() && t.back() != ' ' && t.back() != '\n') t += ' ';
            } else {
                t += c;
            }
        }
    }

    HtmlText out_;
};

struct DocumentFree {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};

}  // namespace

HtmlText htmlText(std::string_view html) {
    if (html.find_first_not_of(" \t\r\n") == std::string_view::npos) return {};
    if (html.size() > static_cast<std::size_t>(INT_MAX)) return {};
    const std::unique_ptr<xmlDoc, DocumentFree> doc(
        htmlReadMemory(html.data(), static_cast<int>(html.size()), nullptr, "UTF-8",
                       HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET));
    TextWalk walk;
    if (doc) walk.nodes(doc->children);
    return walk.finish();
}

}  // namespace cardwise
