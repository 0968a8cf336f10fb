#include "core/host_changes.h"

#include <string.h>

#include "core/host_contract.h"
#include "core/patching.h"

namespace {

// Put back is a change undone early, or kept for good (integers once the
// choice is over): its place stays in the list, so marks stay true.
enum class HostChangeKind : uint8_t { PutBack, Code, Integer, WindowProcedure };

struct HostChange {
    HostChangeKind kind;
    uint32_t address;  // of the code or the integer; the window, for its procedure
    LONG_PTR ourProcedure;
    union {
        uint8_t code[kBranchSize];
        int32_t value;
        LONG_PTR procedure;
    } replaced;
};

// The two call-site redirects, four host integers and the window procedure, with
// room to spare: a change is refused rather than made unrecorded.
constexpr uint32_t kMostChanges = 12;

struct HostChanges {
    HostChange list[kMostChanges];
    uint32_t count;
};
HostChanges changes;

HostChange* Find(HostChangeKind kind, uint32_t address) {
    for (uint32_t i = 0; i < changes.count; ++i) {
        if (changes.list[i].kind == kind && changes.list[i].address == address) return &changes.list[i];
    }
    return nullptr;
}

HostChange* Append(HostChangeKind kind, uint32_t address) {
    if (changes.count == kMostChanges) return nullptr;
    HostChange& change = changes.list[changes.count++];
    change.kind = kind;
    change.address = address;
    return &change;
}

// The window's procedure is one from before ours: the one ours replaced, or
// its class's own (the game's, with nothing in front of it). Another mod
// put back the one it had saved: nothing in the chain calls ours.
bool FromBeforeOurs(const HostChange& change) {
    HWND window = reinterpret_cast<HWND>(change.address);
    const LONG_PTR procedure = GetWindowLongPtrA(window, GWLP_WNDPROC);
    const LONG_PTR classProcedure = static_cast<LONG_PTR>(GetClassLongPtrA(window, GCLP_WNDPROC));
    return procedure == change.replaced.procedure || procedure == classProcedure;
}

bool PutBackProcedure(const HostChange& change) {
    HWND window = reinterpret_cast<HWND>(change.address);
    if (!IsWindow(window) || FromBeforeOurs(change)) return true;
    if (GetWindowLongPtrA(window, GWLP_WNDPROC) != change.ourProcedure) return false;
    SetWindowLongPtrA(window, GWLP_WNDPROC, change.replaced.procedure);
    return true;
}

void Undo(const HostChange& change) {
    switch (change.kind) {
        case HostChangeKind::Code:
            PatchCode(change.address, change.replaced.code, kBranchSize);
            break;
        case HostChangeKind::Integer:
            HostInt(change.address) = change.replaced.value;
            break;
        case HostChangeKind::PutBack:
            break;
        case HostChangeKind::WindowProcedure:
            PutBackProcedure(change);
            break;
    }
}

}  // namespace

bool ChangeHostCode(uint32_t address, const uint8_t (&bytes)[kBranchSize]) {
    const uint8_t* code = reinterpret_cast<const uint8_t*>(address);
    uint8_t replaced[kBranchSize];
    memcpy(replaced, code, kBranchSize);
    if (changes.count == kMostChanges || !PatchCode(address, bytes, kBranchSize)) return false;
    for (uint32_t i = 0; i < kBranchSize; ++i) {
        if (code[i] != bytes[i]) return false;  // the page took no write: nothing to put back
    }
    memcpy(Append(HostChangeKind::Code, address)->replaced.code, replaced, kBranchSize);
    return true;
}

void ChangeHostInt(uint32_t address, int32_t value) {
    if (Find(HostChangeKind::Integer, address) == nullptr) {
        HostChange* change = Append(HostChangeKind::Integer, address);
        if (change == nullptr) return;
        change->replaced.value = HostInt(address);
    }
    HostInt(address) = value;
}

void SetKeptHostInt(uint32_t address, int32_t value) { HostInt(address) = value; }

void KeepHostIntegers() {
    for (uint32_t i = 0; i < changes.count; ++i) {
        if (changes.list[i].kind == HostChangeKind::Integer) changes.list[i].kind = HostChangeKind::PutBack;
    }
}

WNDPROC ChangeHostWindowProcedure(HWND window, WNDPROC ours) {
    HostChange* change = Append(HostChangeKind::WindowProcedure, reinterpret_cast<uint32_t>(window));
    if (change == nullptr) return nullptr;
    change->ourProcedure = reinterpret_cast<LONG_PTR>(ours);
    change->replaced.procedure = SetWindowLongPtrA(window, GWLP_WNDPROC, change->ourProcedure);
    return reinterpret_cast<WNDPROC>(change->replaced.procedure);
}

bool UndoHostWindowProcedure(HWND window) {
    HostChange* change = Find(HostChangeKind::WindowProcedure, reinterpret_cast<uint32_t>(window));
    if (change == nullptr) return true;
    if (!PutBackProcedure(*change)) return false;
    change->kind = HostChangeKind::PutBack;
    return true;
}

bool ProcedureFromBeforeOurs(HWND window) {
    const HostChange* change = Find(HostChangeKind::WindowProcedure, reinterpret_cast<uint32_t>(window));
    return change != nullptr && IsWindow(window) && FromBeforeOurs(*change);
}

HostChangeMark MarkHostChanges() { return changes.count; }

void UndoHostChanges(HostChangeMark since) {
    while (changes.count > since) Undo(changes.list[--changes.count]);
}
