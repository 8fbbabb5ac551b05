#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace rs {

// What a run of bytes holds, in 64 bits and its length: enough to tell whether a file still holds
// the bytes written to it, however it was replaced meanwhile.
struct ContentDigest {
    std::uint64_t bytes = 0;
    std::uint64_t hash = 0;
    bool operator==(const ContentDigest&) const = default;
};

// Builds the digest of bytes given in pieces.
class Digester {
public:
    Digester();
    ~Digester();
    Digester(const Digester&) = delete;
    Digester& operator=(const Digester&) = delete;

    void add(std::string_view bytes);
    // Starts again, as for a file read again from its start.
    void reset();
    ContentDigest digest() const;

private:
    void* state_;
    std::uint64_t bytes_ = 0;
};

}  // namespace rs
