// The sniplet reader on any bytes: whatever it accepts, the writer writes back
// byte for byte, and whatever it refuses it gives a reason for.
#include "fuzz_input.h"
#include "snipforge/sniplet_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto bytes = fuzz::bytesOf(data, size);
    const auto reading = snipforge::decodeSniplet(bytes);
    if (!reading.sniplet) {
        fuzz::require(!reading.refusal.empty(), "a refusal says why");
        return 0;
    }
    const auto written = snipforge::encodeSniplet(*reading.sniplet);
    fuzz::require(!written.refusal, "the writer writes whatever the reader accepts");
    fuzz::require(written.bytes == bytes, "the writer writes back the bytes that were read");
    return 0;
}
