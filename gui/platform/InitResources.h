#pragma once

namespace rs {

// Registers the pictures compiled into the program (safe to call more than once).
void InitResources();

}  // namespace rs
