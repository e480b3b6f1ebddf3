// Conversion of catalogue rows into map records.
#include "StarConversion.h"

#include <cmath>
#include <string>

#include "Designation.h"
#include "text/Cp1252.h"

namespace {

// Cuts 8-bit text to its field's width and keeps what is not text out of it:
// a control character becomes '?' (0x00 would end the string early, a line
// break split a label), and in the complemented encoding 0xFF (y with
// diaeresis), the terminator, becomes a plain 'y'.
std::string FitToField(std::string text, size_t width, const MapEncoding& encoding, bool* cut,
                       bool* replaced) {
  *cut = text.size() > width;
  if (*cut) text.resize(width);
  for (char& c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      c = '?';
      *replaced = true;
    } else if (byte == encoding.terminator) {
      c = 'y';
      *replaced = true;
    }
  }
  return text;
}

}  // namespace

std::optional<int32_t> ToMillionths(double value) {
  const double scaled = value * 1e6;
  // Halfway values round away from zero, so +-2147483647.5 already fall outside.
  if (!(scaled > -2147483647.5 && scaled < 2147483647.5)) return std::nullopt;
  return static_cast<int32_t>(std::llround(scaled));
}

LeftOut ConvertStar(const CatalogStar& row, WorldFrame frame, const MapEncoding& encoding, MapStar* star,
                    ConversionNotes* notes) {
  *notes = ConversionNotes();
  if (!row.absMag) return LeftOut::NoAbsoluteMagnitude;

  const Vector3D world = ToWorldFrame(frame, row.position);
  const auto x = ToMillionths(world.x);
  const auto y = ToMillionths(world.y);
  const auto z = ToMillionths(world.z);
  const auto absMag = ToMillionths(*row.absMag);
  if (!x || !y || !z || !absMag) return LeftOut::OutsideFieldRange;

  const uint64_t catalogNumber = row.hip ? *row.hip : row.id;
  if (catalogNumber > kMaxCatalogNumber) return LeftOut::CatalogNumberTooLarge;

  star->catalogNumber = static_cast<uint32_t>(catalogNumber);
  star->x = *x;
  star->y = *y;
  star->z = *z;
  star->absMag = *absMag;

  bool tagReplaced = false;
  star->tag = FitToField(Utf8ToCp1252(row.spect, &tagReplaced), kMaxTagLength, encoding, &notes->tagCut,
                         &tagReplaced);

  std::string name;
  bool nameReplaced = false;
  const std::optional<std::string> designation = row.dm.empty() ? std::nullopt : ConvertDesignation(row.dm);
  notes->unreadableDesignation = !row.dm.empty() && !designation;
  if (!row.proper.empty()) {
    name = Utf8ToCp1252(row.proper, &nameReplaced);
    notes->properName = true;
  } else if (designation) {
    name = *designation;
    notes->designation = true;
  }
  star->name = FitToField(std::move(name), kMaxNameLength, encoding, &notes->nameCut, &nameReplaced);
  notes->charactersReplaced = tagReplaced || nameReplaced;
  return LeftOut::None;
}
