#include "writers/civa.hpp"

#include <fmt/format.h>

#include <string_view>

#include "text/cp1252.hpp"
#include "text/numbers.hpp"
#include "text/text.hpp"
#include "writers/coordinate_text.hpp"
#include "writers/six_character_id.hpp"

namespace korvanta {

namespace {

constexpr std::string_view kMakerAddress = "www.sstsim.com";

// Builds the cards one at a time; at most one card is open.
class CardWriter {
 public:
  explicit CardWriter(const RouteHeader& header) : header_(header) {}

  void OpenCivaCard(int number) {
    const std::string program =
        fmt::format("{}-{}{:02}", header_.departure_icao, header_.destination_icao, number);
    card_ = CivaCard{program + ".AWC", {}};
    std::string& out = card_.text;
    AppendCrLfLine(out, ";");
    AppendCrLfLine(out, "; Carousel IV-AC INS");
    AppendCrLfLine(out, "; ADEU Waypoints Data Card");
    AppendCrLfLine(out, "; For use with SSTSIM Concorde");
    AppendCrLfLine(out, fmt::format("; {}", kMakerAddress));
    AppendCrLfLine(out, ";");
    AppendCrLfLine(out, "; CONCORDE INS PROGRAM #" + program);
    AppendCrLfLine(out, ";");
    open_ = true;
  }

  void CardPoint(int position, const Waypoint& row) {
    AppendCrLfLine(card_.text,
                   fmt::format("{} {} {} ; {}", position, CivaLatitudeText(row.position.latitude),
                               CivaLongitudeText(row.position.longitude), row.id));
  }

  void CloseCivaCard() {
    AppendCrLfLine(card_.text, ";");
    AppendCrLfLine(card_.text, ";End Of File");
    card_.text += ";";
    card_.text = Utf8ToCp1252(card_.text);
    cards_.push_back(std::move(card_));
    open_ = false;
  }

  std::vector<CivaCard> Finish() && {
    if (open_)
      CloseCivaCard();
    return std::move(cards_);
  }

 private:
  const RouteHeader& header_;
  CivaCard card_;
  bool open_ = false;
  std::vector<CivaCard> cards_;
};

}  // namespace

std::vector<CivaCard> WriteCivaCards(const RouteHeader& route_header,
                                     const WaypointTable& route_waypoints) {
  const SixCharacterRoute route(route_header, route_waypoints);
  const RouteHeader& header = route.Header();
  const WaypointTable& waypoints = route.Waypoints();
  CardWriter writer(header);
  int card = 1;
  int position = 1;
  writer.OpenCivaCard(card);
  // The departure airport opens the table; the destination airport, last in
  // it, is on no card. The card still open when the table ends is closed then.
  for (std::size_t i = 1; i < waypoints.Count(); ++i) {
    if (waypoints[i].id == header.destination_icao)
      continue;
    writer.CardPoint(position, waypoints[i]);
    if (++position > kCivaCardWaypoints) {
      writer.CloseCivaCard();
      writer.OpenCivaCard(++card);
      position = 1;
    }
  }
  return std::move(writer).Finish();
}

}  // namespace korvanta
