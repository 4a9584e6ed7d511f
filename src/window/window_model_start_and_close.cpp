// The window model's start-up (the timer, the airport load) and its close,
// which waits for a run or the load to end.

#include "window/window_model.hpp"

#include <fmt/format.h>

#include "io/utf8_path.hpp"
#include "window/busy_flag.hpp"

namespace korvanta {

// ---- start-up ----------------------------------------------------------------

void WindowModel::WindowShown() {
  if (shown_)
    return;
  shown_ = true;
  RestoreStates();
  ApplySuper80Rule();
  ApplySelectionEnabledStates();
  view_.StartTimer(kStartUpDelay);
}

// A close that the user asked for during the load happens after it.
void WindowModel::TimerFired() {
  if (timer_fired_)
    return;
  timer_fired_ = true;
  {
    const BusyFlag loading(loading_);
    Load();
  }
  CloseIfPending();
  ConvertPendingDrop();
}

// Applies the restored selection, then loads the airport database with its
// progress in the panel. The conversion may start once the load has ended.
void WindowModel::Load() {
  ApplySelection();
  LoadAirportList();
  // Hidden also after a read error: a panel still saying "Loading" would
  // claim a load that has ended.
  SetVisible(Control::kProgressPanel, false);
  start_up_ended_ = true;
  UpdateConversionButton();
  view_.StartUpEnded();
}

// A missing list is what a first start without the FMC's data looks like:
// the box says where the list belongs, and the status line keeps the note
// while runs go on without the list, until a load finds it.
void WindowModel::LoadAirportList() {
  const std::filesystem::path list = folders_.AirportListFile();
  const AirportLoadResult result = LoadAirportDatabase(list, airports_, [this](std::size_t count) {
    SetCaption(Control::kProgressPanel, fmt::format("Loading Routes ..... {}", count));
    view_.ProcessPendingEvents();
  });
  airport_list_missing_ = !result.loaded && result.message == kAirportsMissing;
  if (airport_list_missing_)
    view_.ShowMessage(fmt::format(fmt::runtime(kNoAirportList), ShownPath(list)));
  else if (!result.loaded)
    view_.ShowMessage(result.message);
  ShowStatus(status_);
}

// ---- closing -------------------------------------------------------------------

bool WindowModel::CloseRequested() {
  if (Busy()) {
    close_pending_ = true;
    return false;
  }
  SaveStates();
  return true;
}

void WindowModel::CloseIfPending() {
  if (!close_pending_ || Busy())
    return;
  close_pending_ = false;
  pending_drop_.reset();
  view_.CloseWindow();
}
}  // namespace korvanta
