// Feeds arbitrary bytes to the store-file reader. A refused text must say why and leave
// the store as it was; an accepted one must write back to a text that reads to the same
// store and writes the same text again. The bytes are also written through the store's
// own calls, as a key, a name and a text: what the store takes must read back.
#include "platform/KeyValueStore.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

void Check(bool condition, int line = __builtin_LINE())
{
    if (!condition) {
        std::fprintf(stderr, "fuzz_keyvaluestore: check on line %d failed\n", line);
        std::abort();
    }
}

void CheckReadsBack(const platform::KeyValueStore& store)
{
    const std::string written = store.ToText();
    platform::KeyValueStore again;
    std::string error;
    Check(platform::KeyValueStore::FromText(written, again, error));
    Check(again.ToText() == written);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    platform::KeyValueStore written;
    try {
        written.WriteString(text, text, text);
        written.CreateKey(std::string(text) + "\\k");
    } catch (const ERegistryException&) {
    }
    CheckReadsBack(written);

    platform::KeyValueStore store;
    store.WriteInteger("before", "n", 1);
    const std::string before = store.ToText();
    std::string error;
    if (!platform::KeyValueStore::FromText(text, store, error)) {
        Check(!error.empty());
        Check(store.ToText() == before);
        return 0;
    }
    CheckReadsBack(store);
    return 0;
}
