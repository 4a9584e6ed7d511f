#include "app/safe_file_name.hpp"

namespace korvanta {

// NTFS and FAT32 long names count UTF-16 code units.
FileNameLimit PlatformFileNameLimit() {
  return {NameLengthUnit::kUtf16Units, 255};
}

}  // namespace korvanta
