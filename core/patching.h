// Writing into code: the host's, and our own slots.
#pragma once

#include <stdint.h>

#include "core/branch.h"

// A slot's entry address, as BindSlot takes it.
using HostFunctionSlot = const void*;

// Copies bytes to address with the page made writable for the copy, and
// flushes the instruction cache over them. False when the page could not be
// made writable (nothing written).
bool PatchCode(uint32_t address, const void* bytes, uint32_t length);
// Writes a five-byte branch at site; writes nothing and returns false when site or target is 0.
bool WriteBranch(uint8_t opcode, uint32_t site, uint32_t target);
// Points the slot at hostAddress with a jump; leaves it unbound when hostAddress is 0.
bool BindSlot(HostFunctionSlot slot, uint32_t hostAddress);
