#include "writers/xplane.hpp"

#include <string_view>

#include "route/conversions.hpp"
#include "route/text.hpp"

namespace korvanta {

namespace {

// The FMS type code of a row between the airports: 3 VOR, 2 NDB, 11 for an
// intersection and anything else.
std::string_view TypeCode(std::string_view typ) {
  if (typ == "V")
    return "3";
  if (typ == "N")
    return "2";
  return "11";
}

}  // namespace

std::string WriteXPlaneFms(const RouteHeader& header, const RmTable& rm) {
  std::string out;
  AppendCrLfLine(out, "I");
  AppendCrLfLine(out, "3 version");
  AppendCrLfLine(out, "0");
  AppendCrLfLine(out, "0");
  for (const RmRow& row : rm) {
    // A row named like either airport is written as that airport, wherever
    // it stands.
    std::string head;
    if (row.id == header.DepIcao) {
      head = "1 " + header.DepIcao;
    } else if (row.id == header.DestIcao) {
      head = "1 " + header.DestIcao;
    } else {
      head = std::string(TypeCode(row.typ)) + " " + row.id;
    }
    AppendCrLfLine(out, head + " 0 " + DmsToDecimalText(row.lat) + " " + DmsToDecimalText(row.lon));
  }
  AppendCrLfLine(out, "");
  return out;
}

}  // namespace korvanta
