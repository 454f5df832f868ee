#include "judged_cache.h"

#include <utility>

namespace tessaly::numbers {

JudgedCache::JudgedCache(std::size_t bound) : generation_(bound / 2 > 0 ? bound / 2 : 1) {}

const Judgement* JudgedCache::find(const std::string& key) {
    if (const auto it = newer_.find(key); it != newer_.end()) return &it->second;
    const auto it = older_.find(key);
    if (it == older_.end()) return nullptr;
    // Still in use: it moves to the newer generation so that it outlives the older one.
    Judgement moved = std::move(it->second);
    older_.erase(it);
    return &store(key, std::move(moved));
}

const Judgement& JudgedCache::store(const std::string& key, Judgement judgement) {
    if (newer_.size() >= generation_) {
        older_ = std::move(newer_);
        newer_ = {};
    }
    return newer_.insert_or_assign(key, std::move(judgement)).first->second;
}

}  // namespace tessaly::numbers
