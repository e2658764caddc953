#include "exchange/DocumenteWeb.h"

#include "exchange/XmlText.h"

#include <QString>

#include <pugixml.hpp>

#include <cstring>

namespace {

// Every "&" of the text starts one of XML's five entities or a reference to a character XML
// allows; pugixml would keep an unknown entity as text instead of refusing the document.
bool EntitiesValid(std::string_view t) {
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t.compare(i, 9, "<![CDATA[") == 0 || t.compare(i, 4, "<!--") == 0) {
            const bool cdata = t[i + 2] == '[';
            const std::size_t end = t.find(cdata ? "]]>" : "-->", i);
            if (end == std::string_view::npos)
                return false;
            i = end;
            continue;
        }
        if (t[i] != '&')
            continue;
        const std::size_t semi = t.find(';', i);
        if (semi == std::string_view::npos || semi - i > 12)
            return false;
        const std::string_view name = t.substr(i + 1, semi - i - 1);
        if (name == "amp" || name == "lt" || name == "gt" || name == "quot" || name == "apos")
            continue;
        if (name.size() < 2 || name[0] != '#')
            return false;
        const bool hex = name[1] == 'x';
        const std::string digits(name.substr(hex ? 2 : 1));
        if (digits.empty() || digits.find_first_not_of(hex ? "0123456789abcdefABCDEF"
                                                           : "0123456789") != std::string::npos)
            return false;
        const unsigned long c = std::stoul(digits, nullptr, hex ? 16 : 10);
        const bool allowed = c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
                             (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
        if (!allowed)
            return false;
    }
    return true;
}

// Parses outside bytes after bringing them to UTF-8 (as a fragment, so that text or a second
// element beside the root is seen and refused). A document that is not well formed, is
// cut short or holds more than one root is refused as a whole.
bool Parse(std::string_view bytes, pugi::xml_document& doc) {
    std::string strUtf8, strIgnored;
    if (!DecodeXmlText(bytes, strUtf8, strIgnored) || !EntitiesValid(strUtf8))
        return false;
    const pugi::xml_parse_result r =
        doc.load_buffer(strUtf8.data(), strUtf8.size(),
                        pugi::parse_default | pugi::parse_ws_pcdata_single | pugi::parse_fragment,
                        pugi::encoding_utf8);
    if (!r)
        return false;
    int iRoots = 0;
    for (pugi::xml_node n = doc.first_child(); n; n = n.next_sibling())
        if (n.type() == pugi::node_element)
            ++iRoots;
        else if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata)
            return false; // text outside the root
    return iRoots == 1;
}

pugi::xml_node Root(pugi::xml_document& doc) {
    for (pugi::xml_node n = doc.first_child(); n; n = n.next_sibling())
        if (n.type() == pugi::node_element)
            return n;
    return {};
}

std::string Text(pugi::xml_node n) {
    return n.text().get();
}

} // namespace

bool CitesteVersiune(std::string_view bytes, VersiunePublicata& versiune, std::string& strError) {
    versiune = VersiunePublicata();
    pugi::xml_document doc;
    if (!Parse(bytes, doc)) {
        strError = "Eroare la verificarea versiunii![1]";
        return false;
    }
    pugi::xml_node root = Root(doc);
    if (std::strcmp(root.name(), "VORTAPL") != 0) {
        strError = "Eroare la verificarea versiunii![2]";
        return false;
    }
    struct Field {
        const char* name;
        std::string* value;
    };
    const Field fields[] = {{"V1", &versiune.strV1},
                            {"V2", &versiune.strV2},
                            {"V3", &versiune.strV3},
                            {"V4", &versiune.strV4},
                            {"DESCRIERE", &versiune.strDescriere}};
    // Each element is looked for among the children after the one found before it.
    pugi::xml_node cursor = root.first_child();
    for (const Field& f : fields) {
        pugi::xml_node found;
        for (pugi::xml_node n = cursor; n; n = n.next_sibling())
            if (n.type() == pugi::node_element && std::strcmp(n.name(), f.name) == 0) {
                found = n;
                break;
            }
        if (!found) {
            strError = std::string("Eroare la verificarea versiunii![") + f.name + "]";
            return false;
        }
        *f.value = Text(found);
        cursor = found.next_sibling();
    }
    strError.clear();
    return true;
}

bool EsteVersiuneNoua(const std::string& strPublicata, const std::string& strAplicatie) {
    return QString::fromStdString(strPublicata)
               .compare(QString::fromStdString(strAplicatie), Qt::CaseInsensitive) != 0;
}

bool CitesteSarbatori(std::string_view bytes, std::vector<SarbatoareWeb>& rows,
                      std::string& strError) {
    rows.clear();
    pugi::xml_document doc;
    if (!Parse(bytes, doc)) {
        strError = "Fisierul XML este in format incorect![1]";
        return false;
    }
    pugi::xml_node root = Root(doc);
    if (std::strcmp(root.name(), "sarbatoriLegale") != 0) {
        strError = "Tag sarbatoriLegale negasit!";
        return false;
    }
    for (pugi::xml_node n = root.child("sarbatoare"); n; n = n.next_sibling("sarbatoare"))
        rows.push_back({n.attribute("an").value(), n.attribute("luna").value(),
                        n.attribute("zi").value(), Text(n)});
    strError.clear();
    return true;
}

std::string NumeFisierSarbatori(int iAn) {
    return "sarbatori_legale_" + std::to_string(iAn) + ".xml";
}
