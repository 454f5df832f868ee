#include "counting_thread.h"

#include <cstdint>
#include <cstring>
#include <system_error>
#include <utility>

#include "digit_line_walk.h"

namespace tessaly::cli {

namespace {

constexpr unsigned char kLongValue = 255;
constexpr std::uint32_t kFileBegins = UINT32_MAX;
constexpr std::uint32_t kFileTakenBack = UINT32_MAX - 1;
constexpr std::uint32_t kLinesFollow = UINT32_MAX - 2;

void CountEachLine(DistinctValues& values, std::string_view lines) {
    for (DigitLineWalk walk(lines, 0); walk.at() < lines.size();)
        values.count(walk.next());
}

}  // namespace

CountingThread::CountingThread() {
    filling_.reserve(kChunk + 64);
    try {
        thread_ = std::thread([this] { run(); });
    } catch (const std::system_error&) {
        // No thread (a process limit): the values are counted as they come.
    }
}

CountingThread::~CountingThread() {
    stop();
}

void CountingThread::count(std::string_view value) {
    if (!thread_.joinable()) {
        values_.count(value);
        return;
    }
    put(std::uint32_t(value.size()));
    filling_.append(value);
    if (filling_.size() >= kChunk) handOver();
}

void CountingThread::countLines(std::string_view lines) {
    if (lines.empty()) return;
    if (!thread_.joinable()) return CountEachLine(values_, lines);
    put(kLinesFollow);
    const auto size = std::uint32_t(lines.size());
    filling_.append(reinterpret_cast<const char*>(&size), 4);
    filling_.append(lines);
    if (filling_.size() >= kChunk) handOver();
}

void CountingThread::put(std::uint32_t length) {
    if (length < kLongValue) {
        filling_.push_back(char(length));
    } else {
        filling_.push_back(char(kLongValue));
        filling_.append(reinterpret_cast<const char*>(&length), 4);
    }
}

void CountingThread::beginFile() {
    if (!thread_.joinable()) return values_.startFile();
    put(kFileBegins);
}

void CountingThread::takeBackFile() {
    if (!thread_.joinable()) return values_.forgetFile();
    put(kFileTakenBack);
}

void CountingThread::handOver() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return handed_.size() < kMostHanded; });
    handed_.push_back(std::move(filling_));
    if (spare_.empty()) {
        filling_ = std::string();
        filling_.reserve(kChunk + 64);
    } else {
        filling_ = std::move(spare_.back());
        spare_.pop_back();
    }
    lock.unlock();
    changed_.notify_all();
}

void CountingThread::run() {
    for (;;) {
        std::string chunk;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return !handed_.empty() || ending_; });
            if (handed_.empty()) return;
            chunk = std::move(handed_.front());
            handed_.pop_front();
        }
        changed_.notify_all();
        // After a failure the chunks are still taken, so the writer never waits for nothing.
        if (!failure_) {
            try {
                for (std::size_t at = 0; at < chunk.size();) {
                    std::size_t length = static_cast<unsigned char>(chunk[at++]);
                    if (length == kLongValue) {
                        std::uint32_t longLength;
                        std::memcpy(&longLength, chunk.data() + at, 4);
                        at += 4;
                        length = longLength;
                        if (length == kFileBegins || length == kFileTakenBack) {
                            length == kFileBegins ? values_.startFile() : values_.forgetFile();
                            continue;
                        }
                        if (length == kLinesFollow) {
                            std::uint32_t size;
                            std::memcpy(&size, chunk.data() + at, 4);
                            at += 4;
                            CountEachLine(values_, std::string_view(chunk.data() + at, size));
                            at += size;
                            continue;
                        }
                    }
                    values_.count(std::string_view(chunk.data() + at, length));
                    at += length;
                }
            } catch (...) {
                failure_ = std::current_exception();
            }
        }
        chunk.clear();
        std::lock_guard lock(mutex_);
        spare_.push_back(std::move(chunk));
    }
}

void CountingThread::stop() {
    if (!thread_.joinable()) return;
    {
        std::lock_guard lock(mutex_);
        ending_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

DistinctValues& CountingThread::finish() {
    if (!filling_.empty()) handOver();
    stop();
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
    return values_;
}

}  // namespace tessaly::cli
