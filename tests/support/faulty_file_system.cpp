#include "support/faulty_file_system.h"

#include <algorithm>
#include <random>

namespace extdict::test {

namespace {

// Finer than any disk's sector, so that torn headers and slots are exercised too.
constexpr std::uint64_t kPiece = 16;

struct PendingChange {
    bool truncation = false;
    std::uint64_t offset = 0; // the new size for a truncation
    std::string data;
};

void writeInto(std::string& bytes, std::uint64_t offset, std::string_view data) {
    if (bytes.size() < offset + data.size()) bytes.resize(offset + data.size(), '\0');
    std::copy(data.begin(), data.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

void applyChange(std::string& bytes, const PendingChange& change) {
    if (change.truncation) {
        bytes.resize(change.offset, '\0');
    } else {
        writeInto(bytes, change.offset, change.data);
    }
}

// Keeps a random set of the write's pieces (aligned by file offset).
void applyTorn(std::string& bytes, const PendingChange& change, std::mt19937& random) {
    std::uint64_t at = change.offset;
    const std::uint64_t end = change.offset + change.data.size();
    while (at < end) {
        const std::uint64_t pieceEnd = std::min(end, (at / kPiece + 1) * kPiece);
        if (random() % 2)
            writeInto(bytes, at,
                      std::string_view(change.data).substr(at - change.offset, pieceEnd - at));
        at = pieceEnd;
    }
}

} // namespace

struct FaultyFileSystem::Node {
    std::string current; // what reads see
    std::string durable; // what survives a power cut
    std::vector<PendingChange> pending;
    int openHandles = 0;

    void flush() {
        durable = current;
        pending.clear();
    }
};

namespace {

class FaultyFile : public File {
public:
    FaultyFile(FaultyFileSystem& files, std::shared_ptr<FaultyFileSystem::Node> node, bool writable)
        : files_(files), node_(std::move(node)), writable_(writable) {
        ++node_->openHandles;
    }
    ~FaultyFile() override { --node_->openHandles; }
    FaultyFile(const FaultyFile&) = delete;
    FaultyFile& operator=(const FaultyFile&) = delete;

    bool readAt(std::uint64_t offset, void* buffer, std::size_t size) override {
        if (offset + size > node_->current.size()) return false;
        std::copy_n(node_->current.data() + offset, size, static_cast<char*>(buffer));
        return true;
    }

    bool writeAt(std::uint64_t offset, const void* data, std::size_t size) override {
        const std::uint64_t end = offset + size;
        const std::uint64_t growth = end > node_->current.size() ? end - node_->current.size() : 0;
        return change({false, offset, std::string(static_cast<const char*>(data), size)}, growth);
    }

    bool truncate(std::uint64_t size) override {
        const std::uint64_t current = node_->current.size();
        const std::uint64_t growth = size > current ? size - current : 0;
        return change({true, size, {}}, growth);
    }

    std::optional<std::uint64_t> size() override { return node_->current.size(); }

    bool sync() override {
        const auto outcome = files_.nextChange();
        if (outcome == FaultyFileSystem::Outcome::FailCleanly) return false;
        node_->flush();
        return outcome == FaultyFileSystem::Outcome::Proceed;
    }

private:
    bool change(PendingChange pending, std::uint64_t growth) {
        const auto outcome = files_.nextChange();
        if (!writable_ || outcome == FaultyFileSystem::Outcome::FailCleanly) return false;
        if (!files_.hasRoomFor(growth)) return false;
        applyChange(node_->current, pending);
        node_->pending.push_back(std::move(pending));
        return outcome == FaultyFileSystem::Outcome::Proceed;
    }

    FaultyFileSystem& files_;
    std::shared_ptr<FaultyFileSystem::Node> node_;
    bool writable_;
};

} // namespace

FaultyFileSystem::FaultyFileSystem() = default;
FaultyFileSystem::~FaultyFileSystem() = default;

FaultyFileSystem::Outcome FaultyFileSystem::nextChange() {
    ++changes_;
    if (crashed_) return Outcome::FailCleanly;
    if (changes_ != failAt_) return Outcome::Proceed;
    faultHit_ = true;
    switch (fault_) {
    case Fault::FailsCleanly: return Outcome::FailCleanly;
    case Fault::FailsAfterEffect: return Outcome::FailAfterEffect;
    case Fault::Crash: crashed_ = true; return Outcome::FailCleanly;
    }
    return Outcome::FailCleanly;
}

bool FaultyFileSystem::hasRoomFor(std::uint64_t growth) const {
    if (!capacity_) return true;
    std::uint64_t used = 0;
    for (const auto& [path, node] : files_) used += node->current.size();
    return used + growth <= *capacity_;
}

void FaultyFileSystem::failAt(int n, Fault fault) {
    changes_ = 0;
    failAt_ = n;
    fault_ = fault;
    faultHit_ = false;
    crashed_ = false;
}

void FaultyFileSystem::disarm() { failAt(0, Fault::FailsCleanly); }

void FaultyFileSystem::setReadOnly(std::string_view path, bool readOnly) {
    readOnly_[std::string(path)] = readOnly;
}

std::unique_ptr<File> FaultyFileSystem::open(std::string_view path, OpenMode mode) {
    const auto ro = readOnly_.find(path);
    const bool writable = mode != OpenMode::ReadOnly;
    if (writable && ro != readOnly_.end() && ro->second) return nullptr;
    auto found = files_.find(path);
    if (mode == OpenMode::ReadWrite || mode == OpenMode::ReadOnly) {
        if (found == files_.end()) return nullptr;
        return std::make_unique<FaultyFile>(*this, found->second, writable);
    }
    if (mode == OpenMode::CreateNew && found != files_.end()) return nullptr;
    const auto outcome = nextChange();
    if (outcome == Outcome::FailCleanly) return nullptr;
    if (found == files_.end()) {
        found = files_.emplace(std::string(path), std::make_shared<Node>()).first;
    } else {
        found->second->current.clear();
        found->second->pending.push_back({true, 0, {}});
    }
    if (outcome == Outcome::FailAfterEffect) return nullptr;
    return std::make_unique<FaultyFile>(*this, found->second, true);
}

bool FaultyFileSystem::exists(std::string_view path) { return files_.count(path) > 0; }

bool FaultyFileSystem::isOpen(std::string_view path) const {
    const auto found = files_.find(path);
    return found != files_.end() && found->second->openHandles > 0;
}

bool FaultyFileSystem::remove(std::string_view path) {
    const auto found = files_.find(path);
    if (found == files_.end() || isOpen(path)) return false;
    const auto outcome = nextChange();
    if (outcome == Outcome::FailCleanly) return false;
    files_.erase(found);
    return outcome == Outcome::Proceed;
}

bool FaultyFileSystem::replace(std::string_view from, std::string_view to) {
    const auto found = files_.find(from);
    if (found == files_.end() || isOpen(from) || isOpen(to)) return false;
    const auto outcome = nextChange();
    if (outcome == Outcome::FailCleanly) return false;
    auto node = found->second;
    files_.erase(found);
    files_[std::string(to)] = std::move(node);
    return outcome == Outcome::Proceed;
}

bool FaultyFileSystem::rename(std::string_view from, std::string_view to) {
    if (files_.count(to) > 0) return false;
    return replace(from, to);
}

void FaultyFileSystem::powerCut(PowerLoss loss, std::uint32_t seed) {
    std::mt19937 random(seed);
    for (auto& [path, node] : files_) {
        std::string survived = node->durable;
        for (const auto& change : node->pending) {
            if (loss == PowerLoss::DropUnflushed) break;
            switch (random() % 3) {
            case 0: break;
            case 1: applyChange(survived, change); break;
            default:
                if (change.truncation) applyChange(survived, change);
                else applyTorn(survived, change, random);
            }
        }
        node->current = std::move(survived);
        node->flush();
    }
}

std::optional<std::string> FaultyFileSystem::contents(std::string_view path) const {
    const auto found = files_.find(path);
    if (found == files_.end()) return std::nullopt;
    return found->second->current;
}

void FaultyFileSystem::putFile(std::string_view path, std::string bytes) {
    auto node = std::make_shared<Node>();
    node->current = std::move(bytes);
    node->flush();
    files_[std::string(path)] = std::move(node);
}

std::vector<std::string> FaultyFileSystem::paths() const {
    std::vector<std::string> names;
    for (const auto& [path, node] : files_) names.push_back(path);
    return names;
}

} // namespace extdict::test
