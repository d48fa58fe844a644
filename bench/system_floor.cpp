// The system work of one run of the program with none of its computation:
// what any program doing the same job on the same files spends beside its
// own arithmetic. It maps the list and reads one byte of every 64, touches
// MEMORY_KIB of fresh anonymous memory (in transparent huge pages from
// 1 MiB on, as the program's large blocks are), writes as many bytes as KEPT
// and REMOVED now hold to a new temporary beside each, in pieces of up to
// 256 KiB taken from the start of that memory, as the program's lines are
// taken from one block, exchanges each temporary with its target and
// removes the file it replaced. Like the program, it is linked statically.
//
// Usage: system_floor LIST KEPT REMOVED MEMORY_KIB
// Exit status 1 if any step fails.

#include <fcntl.h>
#include <stdio.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr std::size_t kHugePage = std::size_t{1} << 21;
constexpr std::size_t kPiece = std::size_t{1} << 18;

// Reports a failed step; false, for the caller to return.
bool failed(const char* step) {
  std::perror(step);
  return false;
}

// `size` bytes, each piece from the start of `memory`, to a temporary
// beside `target`; then the temporary exchanged with the target and the
// replaced file removed.
bool replace(const std::string& target, const char* memory, std::size_t size) {
  const std::string temporary = target + ".floor-temporary";
  const int descriptor = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (descriptor < 0) return failed("open");
  for (std::size_t at = 0; at < size; at += kPiece) {
    const std::size_t piece = size - at < kPiece ? size - at : kPiece;
    if (write(descriptor, memory, piece) != static_cast<ssize_t>(piece)) return failed("write");
  }
  if (close(descriptor) != 0) return failed("close");
  if (renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE) != 0) {
    return failed("renameat2");
  }
  if (unlink(temporary.c_str()) != 0) return failed("unlink");
  return true;
}

std::size_t size_of(const char* name) {
  struct stat status {};
  return stat(name, &status) == 0 ? static_cast<std::size_t>(status.st_size) : 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: system_floor LIST KEPT REMOVED MEMORY_KIB\n");
    return 2;
  }
  const int list = open(argv[1], O_RDONLY | O_CLOEXEC);
  if (list < 0) {
    std::perror("open");
    return 1;
  }
  const std::size_t list_size = size_of(argv[1]);
  unsigned sum = 0;
  if (list_size > 0) {
    void* mapped = mmap(nullptr, list_size, PROT_READ, MAP_PRIVATE, list, 0);
    if (mapped == MAP_FAILED) {
      std::perror("mmap");
      return 1;
    }
    const auto* bytes = static_cast<const unsigned char*>(mapped);
    for (std::size_t at = 0; at < list_size; at += 64) sum += bytes[at];
    munmap(mapped, list_size);
  }
  close(list);

  const std::size_t kept = size_of(argv[2]);
  const std::size_t removed = size_of(argv[3]);
  const std::size_t pieces = std::min(kPiece, std::max(kept, removed));
  const std::size_t touched = std::max<std::size_t>(std::strtoull(argv[4], nullptr, 10) * 1024, pieces);
  // Huge pages cover whole 2 MiB pieces, the last one included.
  const std::size_t mapped = (touched + kHugePage - 1) / kHugePage * kHugePage;
  void* mapping = mmap(nullptr, mapped + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapping == MAP_FAILED) {
    std::perror("mmap");
    return 1;
  }
  auto* memory = reinterpret_cast<char*>((reinterpret_cast<std::uintptr_t>(mapping) + kHugePage - 1) & ~(kHugePage - 1));
  if (touched >= kHugePage / 2) madvise(memory, mapped, MADV_HUGEPAGE);
  for (std::size_t at = 0; at < touched; at += 4096) memory[at] = static_cast<char>(sum);

  if (!replace(argv[2], memory, kept) || !replace(argv[3], memory, removed)) return 1;
  return 0;
}
