#include "run/input_source.hpp"

#include "readers/reader_table.hpp"
#include "readers/route_text_parser.hpp"
#include "run/plan_file_source.hpp"
#include "text/cp1252.hpp"

namespace korvanta {

InputSource MakeInputSource(std::string_view bytes, std::optional<InputKind> forced) {
  InputSource input;
  if (bytes.size() > kInputSizeLimit) {
    input.error = kInputTooLarge;
    return input;
  }
  input.kind = forced.value_or(DetectInputKind(bytes));
  if (ReaderOf(input.kind).read) {
    input.source = std::make_unique<PlanFileSource>(input.kind, bytes);
    return input;
  }
  const std::string text = InputToUtf8(bytes);
  if (DetailsLineCount(text) > kDetailsLinesLimit) {
    input.error = kTooManyDetailsLines;
    return input;
  }
  input.source = std::make_unique<RouteTextSource>(text);
  return input;
}

}  // namespace korvanta
