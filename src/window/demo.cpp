#include "window/demo.hpp"

#include "io/file_read.hpp"
#include "run/input_source.hpp"
#include "text/cp1252.hpp"

namespace korvanta {

std::optional<std::string> DemoRouteText(const std::filesystem::path& route_file) {
  const FileRead read = ReadFileBytes(route_file, kInputSizeLimit);
  if (!read.Ok())
    return std::nullopt;
  return InputToUtf8(read.bytes);
}

}  // namespace korvanta
