#include "app/safe_file_name.hpp"

namespace korvanta {

// NAME_MAX of Linux and the BSDs: bytes of the UTF-8 name.
FileNameLimit PlatformFileNameLimit() {
  return {NameLengthUnit::kUtf8Bytes, 255};
}

}  // namespace korvanta
