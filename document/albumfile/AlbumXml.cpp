#include "document/albumfile/AlbumXml.h"

#include <cfloat>
#include <climits>
#include <cmath>
#include <locale>
#include <sstream>

#include <tinyxml.h>

namespace treeNode {

namespace tags {
const char* const kImmagine = "immagine";
const char* const kGruppo = "gruppo";
const char* const kTesto = "testo";
const char* const kEffetto = "effetto";
const char* const kSfondo = "sfondo";
const char* const kPagina = "pagina";
const char* const kSposalbo = "sposalbo";
const char* const kCornice = "cornice";
const char* const kImage = "image";
const char* const kDati = "dati";
const char* const kVariabile = "variabile";
} // namespace tags

std::string FormatAlbumDouble(double value)
{
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out.setf(std::ios::fixed);
    out.precision(6);
    out << value;
    return out.str();
}

namespace {
std::string Lowered(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
            continue;
        out += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return out;
}

bool IsNonFiniteWord(const std::string& text)
{
    std::string word = Lowered(text);
    if (!word.empty() && (word[0] == '-' || word[0] == '+'))
        word.erase(0, 1);
    return word == "inf" || word == "infinity" || word == "nan";
}
} // namespace

NumberKind ParseAlbumDouble(const std::string& text, double& value)
{
    if (IsNonFiniteWord(text))
        return NumberKind::kNotFinite;
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    double parsed = 0.0;
    in >> parsed;
    // Out of range sets the fail bit and stores the largest value.
    if (in.fail()) {
        const bool overflow = std::isinf(parsed) || std::fabs(parsed) == DBL_MAX;
        return overflow ? NumberKind::kNotFinite : NumberKind::kNotNumber;
    }
    in >> std::ws;
    if (!in.eof())
        return NumberKind::kNotNumber;
    value = parsed;
    return NumberKind::kFinite;
}

bool ParsePageSide(const std::string& text, int& millimetres)
{
    double value = 0.0;
    if (ParseAlbumDouble(text, value) != NumberKind::kFinite || !(value >= 1.0) ||
        value >= static_cast<double>(INT_MAX) + 1.0)
        return false;
    millimetres = static_cast<int>(value);
    return true;
}

void SetDoubleAttribute(TiXmlElement& element, const char* name, double value)
{
    element.SetAttribute(name, FormatAlbumDouble(value).c_str());
}

void SetIntAttribute(TiXmlElement& element, const char* name, int value)
{
    element.SetAttribute(name, value);
}

void ReadIntAttribute(const TiXmlElement& element, const char* name, int& value)
{
    int parsed = 0;
    if (element.QueryIntAttribute(name, &parsed) == TIXML_SUCCESS)
        value = parsed;
}

void ReadStringAttribute(const TiXmlElement& element, const char* name, std::string& value)
{
    if (const char* text = element.Attribute(name))
        value = text;
}

void ReadDoubleAttribute(const TiXmlElement& element, const char* name, double& value)
{
    const char* text = element.Attribute(name);
    double parsed = 0.0;
    if (text && ParseAlbumDouble(text, parsed) == NumberKind::kFinite)
        value = parsed;
}

void ReadDoubleAttribute(const TiXmlElement& element, const char* name, float& value)
{
    double wide = value;
    ReadDoubleAttribute(element, name, wide);
    if (std::isfinite(static_cast<float>(wide)))
        value = static_cast<float>(wide);
}

} // namespace treeNode
