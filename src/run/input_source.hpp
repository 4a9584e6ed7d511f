#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "readers/input_kind.hpp"
#include "run/route_source.hpp"

namespace korvanta {

// Real route texts and plans are a few kilobytes. Larger inputs are refused
// before they are parsed, so that a hostile input cannot take the machine's
// memory and time.
inline constexpr std::size_t kInputSizeLimit = 4 * 1024 * 1024;
inline constexpr std::size_t kDetailsLinesLimit = 10000;

inline constexpr std::string_view kInputTooLarge =
    "The input is larger than 4 MiB: no route text or flight plan is that large";
inline constexpr std::string_view kTooManyDetailsLines =
    "The route text holds more than 10000 details lines: no route is that long";

// What an input gives a run: its source, or why it is refused.
struct InputSource {
  InputKind kind = InputKind::kText;
  std::unique_ptr<RouteSource> source;  // null when refused
  std::string error;                    // why it is refused (UTF-8)
};

// The route source of an input as it came in (a file's bytes, standard
// input, the clipboard's text). Its kind is decided by its content unless
// `forced`; route text is decoded by InputToUtf8. The window and the command
// line both take their inputs this way.
InputSource MakeInputSource(std::string_view bytes, std::optional<InputKind> forced = {});

}  // namespace korvanta
