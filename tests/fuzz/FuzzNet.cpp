// Any bytes from the network: the reader ends, refuses with a reason or
// reads a message that writes back as exactly the same bytes (so no two
// byte strings mean one message, and nothing read was left unchecked).
#include <cstdint>
#include <cstring>

#include "net/Messages.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Net::Decoded d = Net::Decode(data, size);
    if (d.message.has_value() == !d.error.empty()) __builtin_trap();
    if (d.message) {
        const std::vector<uint8_t> again = Net::Encode(*d.message);
        if (again.size() != size || std::memcmp(again.data(), data, size) != 0) __builtin_trap();
    }
    return 0;
}
