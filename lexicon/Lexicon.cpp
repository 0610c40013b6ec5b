// The library's exported entry points. Nothing may escape them: the host may
// be written in C, so every failure ends here as an empty caption.
#include "lexicon/Lexicon.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <exception>

#include "lexicon/CaptionCode.h"
#include "lexicon/CaptionId.h"
#include "lexicon/CaptionStore.h"

namespace {

// Atomics because a host may call Init on one thread and GetName on another.
std::atomic<std::int32_t> selectedTable{0};
std::atomic<std::int32_t> initValue{0};  // kept for the host, not used

// One buffer per thread, so two threads never overwrite each other's caption.
// A plain array needs no thread-exit destructor, which keeps dlclose safe.
thread_local char captionBuffer[vormid::lexicon::kMaxCaptionBytes + 1];

const char* Deliver(const char* text) noexcept {
    const std::size_t length = strnlen(text, vormid::lexicon::kMaxCaptionBytes);
    std::memcpy(captionBuffer, text, length);
    captionBuffer[length] = '\0';
    return captionBuffer;
}

// Hosts have no window to show a message in, so the error goes to stderr as
// one line; written without allocating so that reporting itself cannot fail.
void ReportException(const char* message) noexcept {
    flockfile(stderr);
    std::fputs("Exception: ", stderr);
    std::fputs(message, stderr);
    std::fputc('\n', stderr);
    funlockfile(stderr);
}

}  // namespace

extern "C" void Init(int32_t value, int32_t table) {
    initValue.store(value, std::memory_order_relaxed);
    selectedTable.store(table, std::memory_order_relaxed);
}

extern "C" const char* GetName(const char* code) {
    if (code == nullptr) return Deliver("");
    try {
        const auto table = static_cast<std::uint32_t>(selectedTable.load(std::memory_order_relaxed));
        const char* caption = vormid::lexicon::FindCaption(vormid::lexicon::CaptionIdOfCode(table, code));
        return Deliver(caption != nullptr ? caption : "");
    } catch (const std::exception& error) {
        ReportException(error.what());
    } catch (...) {
        ReportException("unknown error");
    }
    return Deliver("");
}
