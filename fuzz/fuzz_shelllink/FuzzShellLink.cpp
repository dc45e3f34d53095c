// Feeds arbitrary bytes to the shortcut-file reader. A refused file must say why and
// leave the link alone; an accepted one must write a file that reads back to the same
// texts and numbers.
#include "platform/ShellLink.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void Check(bool condition, int line = __builtin_LINE())
{
    if (!condition) {
        std::fprintf(stderr, "fuzz_shelllink: check on line %d failed\n", line);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    platform::ShellLink untouched;
    untouched.Description = "untouched";
    platform::ShellLink link = untouched;
    std::string error;
    if (!platform::ReadShellLink({data, size}, link, error)) {
        Check(!error.empty());
        Check(link == untouched);
        return 0;
    }
    // The target is left out: a network path is split into share and folder again when
    // written, and one ending in "\\" loses that ending.
    platform::ShellLink again;
    Check(platform::ReadShellLink(platform::WriteShellLink(link), again, error));
    Check(again.Description == link.Description && again.Arguments == link.Arguments &&
          again.WorkingDir == link.WorkingDir && again.IconLocation == link.IconLocation &&
          again.RelativePath == link.RelativePath && again.IconIndex == link.IconIndex &&
          again.HotKey == link.HotKey && again.ShowCommand == link.ShowCommand && again.WriteTime == link.WriteTime);
    return 0;
}
