#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

namespace korvanta {

// The few file-system steps whose guarantees differ per platform. Each call
// reports the system's reason for a failure as text; the caller names the
// file in its message. One source per platform implements them.

// What a platform call left behind: `ok`, or the system's reason.
struct FileStep {
  bool ok = true;
  std::string reason;

  static FileStep Done() { return {}; }
  static FileStep Failed(std::string why) { return {false, std::move(why)}; }
};

// The reason given for a target the user made read-only.
inline constexpr std::string_view kReadOnlyReason = "the file is read-only";

// The reason given when something took a new file's name while it was written.
inline constexpr std::string_view kReplacedReason =
    "another file took its name while it was written";

// Puts `from` in the place of `to` in one step: a reader sees the old file or
// the new one, never a part of either, and after a power cut the folder holds
// one of them. On failure `to` is left as it was. A read-only target is not
// replaced (kReadOnlyReason): on Windows one with the read-only attribute,
// elsewhere one whose owner may not write it, which holds for root too. Nor
// is one that another program holds open on Windows.
FileStep MoveOverTarget(const std::filesystem::path& from, const std::filesystem::path& to);

// Whether something other than a regular file has the name `file`: a
// symbolic link (followed or not), a named pipe, a folder, a device. Looked
// at without following a link and without opening it, so a pipe never makes
// the caller wait. False for a regular file, for nothing of that name, and
// when the name cannot be looked at (the read or write that follows says
// why).
bool IsNonRegularFile(const std::filesystem::path& file);

// The reason for refusing such a file: "<last part of its name> is not a
// regular file".
std::string NotRegularFileReason(const std::filesystem::path& file);

enum class CreateResult {
  kCreated,        // the file is new and empty, made by this call
  kAlreadyExists,  // some file, folder or link of that name was there first
  kFailed,         // any other failure, with its reason
};

struct ExclusiveCreate {
  CreateResult result = CreateResult::kFailed;
  std::string reason;
};

// A file this process makes, written through the handle that made it and
// never opened again by name: a link or another file put under its name
// meanwhile never receives the bytes. Closed when the object ends.
class NewFile {
 public:
  // Creates `file` only when nothing of that name exists, in one step, so
  // that of two runs asking for the same name exactly one gets it. A symbolic
  // link of that name counts as existing and is never followed.
  explicit NewFile(const std::filesystem::path& file);
  ~NewFile();
  NewFile(const NewFile&) = delete;
  NewFile& operator=(const NewFile&) = delete;

  const ExclusiveCreate& Created() const { return created_; }

  // Writes `bytes` as the whole content, flushes it to the disk and closes
  // the file. When `keep_of` is a regular file (looked at without following a
  // link), the new file gets its permission bits and, where the process may
  // set them, its owner and group, so that replacing a file does not change
  // who may read it. Fails when the name no longer leads to this file
  // (something was put in its place). A failure may leave a part of the file
  // behind; the caller removes it.
  FileStep WriteFlushed(std::string_view bytes, const std::filesystem::path& keep_of);

 private:
  void Close();

  std::filesystem::path file_;
  ExclusiveCreate created_;
  std::intptr_t handle_ = -1;  // the platform's handle of the open file
};

// Creates the empty file `file` only when nothing of that name exists (see
// NewFile), and closes it again.
ExclusiveCreate CreateNewFile(const std::filesystem::path& file);

enum class NameResult {
  kNamed,       // `to` is now the file that was `from`
  kNameTaken,   // something of that name was there first; nothing changed
  kNotOffered,  // the file system has no such step (some network and FAT ones)
  kFailed,      // any other failure, with its reason
};

struct NameStep {
  NameResult result = NameResult::kFailed;
  std::string reason;
};

// Gives the file `from` the name `to` in one step that fails when something
// of that name exists, so that of two runs naming files alike exactly one
// succeeds and no file is ever replaced. The folder is synced afterwards.
NameStep NameIfFree(const std::filesystem::path& from, const std::filesystem::path& to);

// An exclusive lock on `lock_file` (created when missing, left in place
// afterwards: removing it would let a third run lock a different file than a
// second one waits on), held while the object lives. Two locks on one file
// exclude each other also within one process, and the Linux and the Windows
// builds (under Wine) exclude each other too. The lock file is opened for
// reading and writing: one that cannot be is a failure, as is anything but a
// regular file in its place ("FPLS.DAT.lock is not a regular file"; a
// symbolic link is never followed, a named pipe never waited on). The lock
// is tried again every few milliseconds until `wait_at_most` has passed.
class FileLock {
 public:
  enum class State { kLocked, kTimedOut, kFailed };

  FileLock(const std::filesystem::path& lock_file, std::chrono::milliseconds wait_at_most);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  State Result() const { return state_; }
  // Why the lock could not be taken (kFailed).
  const std::string& Reason() const { return reason_; }

 private:
  enum class Attempt { kLocked, kHeldElsewhere, kFailed };

  // The platform's half; the waiting is the same everywhere. Open sets
  // handle_, or reason_ and returns false. TryOnce never waits; on kFailed it
  // sets reason_. Close releases a held lock and closes the file.
  bool Open(const std::filesystem::path& lock_file);
  Attempt TryOnce();
  void Close();

  State state_ = State::kFailed;
  std::string reason_;
  std::intptr_t handle_ = -1;  // the platform's handle of the open lock file
};

}  // namespace korvanta
