#include "core/branch.h"

void EncodeBranch(uint8_t opcode, uint32_t site, uint32_t target, uint8_t out[kBranchSize]) {
    const uint32_t displacement = target - site - kBranchSize;
    out[0] = opcode;
    for (uint32_t i = 0; i < 4; ++i) out[1 + i] = static_cast<uint8_t>(displacement >> (8 * i));
}
