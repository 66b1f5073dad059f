#pragma once
// Element names of the album file and the attribute readers and writers all
// nodes share. Numbers never go through the C locale: the file always has a
// decimal point, whatever the user's regional settings say.
#include <string>

class TiXmlElement;

namespace treeNode {

namespace tags {
extern const char* const kImmagine;
extern const char* const kGruppo;
extern const char* const kTesto;
extern const char* const kEffetto;
extern const char* const kSfondo;
extern const char* const kPagina;
extern const char* const kSposalbo;
extern const char* const kCornice;
extern const char* const kImage;
extern const char* const kDati;
extern const char* const kVariabile;
} // namespace tags

// Six decimals, always with a '.' ("0.500000").
std::string FormatAlbumDouble(double value);
enum class NumberKind { kNotNumber, kFinite, kNotFinite };
// A whole attribute value as a number in the album's notation (trailing junk
// makes it no number); infinities and not-a-number are told apart so callers
// can refuse them.
NumberKind ParseAlbumDouble(const std::string& text, double& value);

// A page side in millimetres: a finite number from 1 to the largest int
// (its whole part); false for anything else.
bool ParsePageSide(const std::string& text, int& millimetres);

void SetDoubleAttribute(TiXmlElement& element, const char* name, double value);
void SetIntAttribute(TiXmlElement& element, const char* name, int value);

// Readers that leave the value alone when the attribute is missing or is not
// a number, so the caller's default stands.
void ReadIntAttribute(const TiXmlElement& element, const char* name, int& value);
void ReadStringAttribute(const TiXmlElement& element, const char* name, std::string& value);
// A double that is missing, not a number or not finite leaves the value.
void ReadDoubleAttribute(const TiXmlElement& element, const char* name, double& value);
void ReadDoubleAttribute(const TiXmlElement& element, const char* name, float& value);

} // namespace treeNode
