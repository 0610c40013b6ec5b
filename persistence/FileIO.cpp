#include "persistence/FileIO.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <system_error>

#if __has_include(<unistd.h>)
#include <unistd.h>  // fsync: the C++ library flushes to the OS only, not to the disk
#define VORMID_HAVE_FSYNC 1
#endif

#include "persistence/Messages.h"
#include "persistence/PersistenceError.h"

namespace vormid {
namespace fs = std::filesystem;

namespace {

std::string SystemReason(int err) { return msg::SystemErrorText(err); }

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
    std::error_code ec;
    if (!fs::is_regular_file(fs::path(path), ec)) {
        // A device or a folder exists: saying "not found" would send the
        // user looking for the wrong thing.
        std::error_code ec2;
        const auto st = fs::status(fs::path(path), ec2);
        if (!ec2 && fs::exists(st))
            throw TModelFileError(msg::CannotOpen(path, msg::NotARegularFile(fs::is_directory(st))));
        throw TModelFileError(msg::CannotOpen(path, ec ? SystemReason(ec.value()) : SystemReason(ENOENT)));
    }
    errno = 0;
    std::unique_ptr<std::FILE, FileCloser> f(std::fopen(path.c_str(), "rb"));
    if (!f) throw TModelFileError(msg::CannotOpen(path, SystemReason(errno)));
    std::vector<std::uint8_t> bytes;
    std::uint8_t block[1 << 16];
    for (;;) {
        const std::size_t got = std::fread(block, 1, sizeof block, f.get());
        bytes.insert(bytes.end(), block, block + got);
        if (got < sizeof block) break;
    }
    if (std::ferror(f.get())) throw TModelFileError(msg::CannotOpen(path, SystemReason(EIO)));
    return bytes;
}

void WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::error_code ec;
    fs::path target(path);
    if (fs::is_symlink(target, ec)) {
        const fs::path resolved = fs::canonical(target, ec);
        if (!ec) target = resolved;
    }
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");

    // An unused name beside the target, created exclusively ("x").
    std::random_device seed;
    std::mt19937 rng(seed());
    fs::path temp;
    std::unique_ptr<std::FILE, FileCloser> f;
    int openError = 0;
    for (int attempt = 0; attempt < 16 && !f; ++attempt) {
        temp = dir / ("." + target.filename().string() + "." + std::to_string(rng() % 1000000) + ".tmp");
        errno = 0;
        f.reset(std::fopen(temp.c_str(), "wbx"));
        openError = errno;
        if (!f && openError != EEXIST) break;
    }
    if (!f) throw TModelFileError(msg::CannotWrite(path, SystemReason(openError)));

    auto fail = [&](int err) {
        f.reset();
        std::error_code ignored;
        fs::remove(temp, ignored);
        throw TModelFileError(msg::CannotWrite(path, SystemReason(err)));
    };
    errno = 0;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f.get()) != bytes.size())
        fail(errno ? errno : EIO);
    if (std::fflush(f.get()) != 0) fail(errno ? errno : EIO);
#ifdef VORMID_HAVE_FSYNC
    if (::fsync(::fileno(f.get())) != 0) fail(errno ? errno : EIO);
#endif
    if (std::fclose(f.release()) != 0) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        throw TModelFileError(msg::CannotWrite(path, SystemReason(errno ? errno : EIO)));
    }

    const auto oldStatus = fs::status(target, ec);
    if (!ec && fs::exists(oldStatus)) fs::permissions(temp, oldStatus.permissions(), ec);
    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        throw TModelFileError(msg::CannotWrite(path, SystemReason(ec.value())));
    }
}

}  // namespace vormid
