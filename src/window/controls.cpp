#include "window/controls.hpp"

#include <algorithm>
#include <array>
#include <iterator>
#include <string>
#include <utility>

namespace korvanta {

namespace {

// The window's own controls, in the order of Control. The stored keys are the
// names the settings files of earlier versions hold.
constexpr ControlInfo kOwnControls[] = {
    {Control::kSuper80Box, "super80Box", "Flight1 S&uper 80 format", false, std::nullopt,
     &kSuper80Selection, BoxPlace{0, 1}, StoredAs::kTicked, "CheckBox1_Checked"},
    {Control::kPlanNumber, "planNumber", "", false, std::nullopt, nullptr, BoxPlace{0, 3},
     StoredAs::kValue, "RxSpinEdit1_Value"},
    {Control::kSimulatorSelection, "simulatorSelection", "", true, std::nullopt, nullptr,
     std::nullopt, StoredAs::kItemIndex, "RadioGroup1_ItemIndex"},
    {Control::kPlanNumberLabel, "planNumberLabel", "Flight pl&an nr", false, std::nullopt, nullptr,
     BoxPlace{0, 2}},
    {Control::kStatusLine, "statusLine", ""},
    {Control::kRunwayLabel, "runwayLabel", "Departing &Runway"},
    {Control::kRunwayBox, "runwayBox", ""},
    {Control::kConversionButton, "conversionButton", ""},
    {Control::kRunwayPrompt, "runwayPrompt", "Modify Runway", false},
    {Control::kGoButton, "goButton", "G&O!!!"},
    {Control::kProgressPanel, "progressPanel", "Loading Routes ....."},
    {Control::kGrid, "grid", ""},
    {Control::kRouteStringLine, "routeStringLine", ""},
    {Control::kCopyButton, "copyButton", "Cop&y"},
};

static_assert(std::size(kOwnControls) == static_cast<std::size_t>(Control::kFirstTargetBox));

constexpr bool RowsInEnumOrder() {
  for (std::size_t i = 0; i < std::size(kOwnControls); ++i) {
    if (static_cast<std::size_t>(kOwnControls[i].control) != i)
      return false;
  }
  return true;
}

static_assert(RowsInEnumOrder(), "one row per control, in the order of Control");

// Every control's row: the window's own, then one tick box per target from
// the target table, named after the target's command-line name.
class ControlTable {
 public:
  ControlTable() {
    std::copy(std::begin(kOwnControls), std::end(kOwnControls), rows_.begin());
    for (const TargetDescriptor& target : Targets()) {
      const auto index = static_cast<std::size_t>(target.target);
      box_names_[index] = std::string(target.cli_name) + "Box";
      rows_[static_cast<std::size_t>(BoxOf(target.target))] = {
          BoxOf(target.target), box_names_[index],    target.caption, true,
          target.target,        &target.on_selection, target.place,   StoredAs::kTicked,
          target.stored_key};
    }
  }
  ControlTable(const ControlTable&) = delete;
  ControlTable& operator=(const ControlTable&) = delete;

  std::span<const ControlInfo> Rows() const { return rows_; }

 private:
  std::array<std::string, kTargetCount> box_names_;  // the rows' names point into these
  std::array<ControlInfo, kControlCount> rows_{};
};

const ControlTable& Table() {
  static const ControlTable table;
  return table;
}

}  // namespace

std::span<const ControlInfo> Controls() {
  return Table().Rows();
}

const ControlInfo& InfoOf(Control control) {
  return Table().Rows()[static_cast<std::size_t>(control)];
}

std::optional<Target> TargetOfBox(Control control) {
  return InfoOf(control).target;
}

bool IsTickBox(Control control) {
  return InfoOf(control).on_selection != nullptr;
}

std::vector<Control> TickRowOrder() {
  std::vector<Control> order;
  for (const ControlInfo& info : Controls()) {
    if (info.place)
      order.push_back(info.control);
  }
  std::stable_sort(order.begin(), order.end(), [](Control a, Control b) {
    const BoxPlace& first = *InfoOf(a).place;
    const BoxPlace& second = *InfoOf(b).place;
    return std::pair(first.row, first.order) < std::pair(second.row, second.order);
  });
  return order;
}

char MnemonicOf(std::string_view caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&')
      continue;
    if (caption[i + 1] != '&') {
      const char letter = caption[i + 1];
      return letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 'a' + 'A') : letter;
    }
    ++i;  // "&&" is a shown "&"
  }
  return '\0';
}

}  // namespace korvanta
