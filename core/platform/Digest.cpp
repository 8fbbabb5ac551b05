#include "core/platform/Digest.h"

#include "core/platform/TextFile.h"

#include <xxhash.h>

#include <new>
#include <vector>

namespace rs {

Digester::Digester() : state_(XXH3_createState()) {
    if (!state_) throw std::bad_alloc();
    XXH3_64bits_reset(static_cast<XXH3_state_t*>(state_));
}

Digester::~Digester() { XXH3_freeState(static_cast<XXH3_state_t*>(state_)); }

void Digester::add(std::string_view bytes) {
    XXH3_64bits_update(static_cast<XXH3_state_t*>(state_), bytes.data(), bytes.size());
    bytes_ += bytes.size();
}

ContentDigest Digester::digest() const {
    return {bytes_, XXH3_64bits_digest(static_cast<const XXH3_state_t*>(state_))};
}

ContentDigest DigestOfFile(const std::string& path) {
    const Fd fd(OpenForReading(path));
    Digester digester;
    std::vector<char> buf(1 << 18);
    while (const std::size_t n = ReadSome(fd.get(), buf.data(), buf.size(), path))
        digester.add(std::string_view(buf.data(), n));
    return digester.digest();
}

}  // namespace rs
