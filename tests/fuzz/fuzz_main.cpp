#include "harness.h"

// QMX_FUZZ_ENTRY names the entry this libFuzzer executable drives.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return QMX_FUZZ_ENTRY(data, size);
}
