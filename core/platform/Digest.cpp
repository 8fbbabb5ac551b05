#include "core/platform/Digest.h"

#include <xxhash.h>

#include <new>

namespace rs {

Digester::Digester() : state_(XXH3_createState()) {
    if (!state_) throw std::bad_alloc();
    reset();
}

void Digester::reset() {
    XXH3_64bits_reset(static_cast<XXH3_state_t*>(state_));
    bytes_ = 0;
}

Digester::~Digester() { XXH3_freeState(static_cast<XXH3_state_t*>(state_)); }

void Digester::add(std::string_view bytes) {
    XXH3_64bits_update(static_cast<XXH3_state_t*>(state_), bytes.data(), bytes.size());
    bytes_ += bytes.size();
}

ContentDigest Digester::digest() const {
    return {bytes_, XXH3_64bits_digest(static_cast<const XXH3_state_t*>(state_))};
}

}  // namespace rs
