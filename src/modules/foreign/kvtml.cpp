// KWordQuiz vocabularies (.kvtml, version 2): an XML file whose entries hold translations
// with ids; the first asks, the second answers. Words in brackets are KWordQuiz's blanks.
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <climits>
#include <memory>

#include "modules/foreign/foreign_readers.h"

namespace cardwise {
namespace {

bool named(const xmlNode* node, std::string_view name) {
    return node->type == XML_ELEMENT_NODE &&
           std::string_view(reinterpret_cast<const char*>(node->name)) == name;
}

const xmlNode* child(const xmlNode* node, std::string_view name) {
    for (const xmlNode* c = node->children; c; c = c->next) {
        if (named(c, name)) return c;
    }
    return nullptr;
}

std::string contentOf(const xmlNode* node) {
    if (!node) return {};
    xmlChar* text = xmlNodeGetContent(node);
    std::string out = text ? reinterpret_cast<const char*>(text) : "";
    xmlFree(text);
    return out;
}

std::string trimmed(std::string text) {
    const std::size_t a = text.find_first_not_of(" \t\r\n");
    if (a == std::string::npos) return {};
    return text.substr(a, text.find_last_not_of(" \t\r\n") - a + 1);
}

// A media reference of KWordQuiz is a URL or a path; "file:" is taken off.
std::string mediaName(std::string url) {
    url = trimmed(std::move(url));
    if (url.starts_with("file://"))
        url.erase(0, 7);
    else if (url.starts_with("file:"))
        url.erase(0, 5);
    return url;
}

// "sie haben [einen Porsche] gekauft": the blanked text and the words in brackets.
bool blanked(const std::string& text, std::string& shown, std::vector<std::string>& words) {
    std::string out;
    std::vector<std::string> found;
    std::size_t at = 0;
    for (;;) {
        const std::size_t open = text.find('[', at);
        const std::size_t close = open == std::string::npos ? open : text.find(']', open);
        if (close == std::string::npos) break;
        out.append(text, at, open - at).append("[...]");
        found.push_back(trimmed(text.substr(open + 1, close - open - 1)));
        at = close + 1;
    }
    if (found.empty()) return false;
    shown = out + text.substr(at);
    words = std::move(found);
    return true;
}

struct DocumentFree {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};

}  // namespace

ForeignDeck readKvtml(std::string_view xml) {
    ForeignDeck deck;
    deck.unit = "Entry";
    // No network, no entity expansion into the text beyond what XML itself defines.
    const std::unique_ptr<xmlDoc, DocumentFree> doc(
        xml.size() > static_cast<std::size_t>(INT_MAX)
            ? nullptr
            : xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr,
                            XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
    const xmlNode* root = doc ? xmlDocGetRootElement(doc.get()) : nullptr;
    if (!root) {
        deck.problem = "The File Looks Like XML But Is Not Well-Formed; Nothing Could Be Read.";
        return deck;
    }
    if (!named(root, "kvtml")) {
        deck.problem = "The File Is XML But Not A KWordQuiz Vocabulary (.kvtml).";
        return deck;
    }
    const xmlNode* entries = child(root, "entries");
    if (!entries) {
        deck.problem =
            "The KWordQuiz Vocabulary Has No <entries>; Only Version 2 Files Can Be Imported.";
        return deck;
    }
    std::int32_t number = 0;
    for (const xmlNode* entry = entries->children; entry; entry = entry->next) {
        if (!named(entry, "entry")) continue;
        const xmlNode* side[2] = {nullptr, nullptr};
        for (const xmlNode* t = entry->children; t; t = t->next) {
            if (!named(t, "translation")) continue;
            xmlChar* id = xmlGetProp(t, reinterpret_cast<const xmlChar*>("id"));
            const std::string idText = id ? reinterpret_cast<const char*>(id) : "";
            xmlFree(id);
            if (idText == "0" && !side[0]) side[0] = t;
            if (idText == "1" && !side[1]) side[1] = t;
        }
        ForeignCard card;
        card.number = ++number;
        ForeignSide* sides[2] = {&card.question, &card.answer};
        for (int i = 0; i < 2; ++i) {
            if (!side[i]) continue;
            sides[i]->text = trimmed(contentOf(child(side[i], "text")));
            sides[i]->picture = mediaName(contentOf(child(side[i], "image")));
            sides[i]->sound = mediaName(contentOf(child(side[i], "sound")));
        }
        // Brackets in the answer: the question shows the answer with its blank to fill;
        // in the question alone: the question itself has the blank.
        std::string shown;
        std::vector<std::string> words;
        if (blanked(card.answer.text, shown, words)) {
            card.question.text += (card.question.text.empty() ? "" : "\n") + shown;
            std::string plain;
            for (char c : card.answer.text) {
                if (c != '[' && c != ']') plain += c;
            }
            card.answer.text = plain;
            card.fillIn = {words.size() == 1 ? words[0] : std::string()};
            if (words.size() > 1) {
                for (const std::string& w : words) {
                    card.fillIn[0] += (card.fillIn[0].empty() ? "" : ", ") + w;
                }
            }
        } else if (blanked(card.question.text, shown, words)) {
            card.question.text = shown;
            card.fillIn = words;
        }
        deck.cards.push_back(std::move(card));
    }
    return deck;
}

}  // namespace cardwise
