#include "fakes/fake_platform.h"

#include <algorithm>
#include <limits>

namespace rzv::test {
namespace {
std::string address(std::string_view application, std::string_view section, std::string_view key) {
    std::string a(application);
    a += '/';
    a += section;
    a += '/';
    a += key;
    return a;
}
}  // namespace

std::string FakeSettingsStore::read(std::string_view application, std::string_view section,
                                    std::string_view key, std::string_view fallback) {
    operations.push_back("read " + std::string(key));
    const auto found = texts.find(address(application, section, key));
    return found == texts.end() ? std::string(fallback) : found->second;
}

void FakeSettingsStore::write(std::string_view application, std::string_view section,
                              std::string_view key, std::string_view text) {
    operations.push_back("write " + std::string(key) + "=" + std::string(text));
    texts[address(application, section, key)] = std::string(text);
}

std::string FakeSettingsStore::writeAll(std::string_view application, std::string_view section,
                                        const Texts& batch) {
    ++batches;
    for (const auto& [key, text] : batch) write(application, section, key, text);
    return batchFailure;
}

void FakeSettingsStore::put(const std::string& section, const std::string& key,
                            const std::string& text) {
    texts[address("QV_ZIV", section, key)] = text;
}

std::optional<std::string> FakeSettingsStore::get(const std::string& section,
                                                  const std::string& key) const {
    const auto found = texts.find(address("QV_ZIV", section, key));
    if (found == texts.end()) return std::nullopt;
    return found->second;
}

std::string FakeFileOutput::replace(const std::string& relativeName, std::string_view text) {
    if (!failure.empty()) return failure;
    ++writes;
    files[relativeName] = std::string(text);
    return {};
}

void FakeAboutHost::showModal(AboutWindow& window, AboutReactions& reactions) {
    ++openings;
    open_ = &window;
    reactions_ = &reactions;
    window.setObserver(this);
    reactions.load();
    if (whileOpen) whileOpen(window, reactions);
    close();
    window.setObserver(nullptr);
}

void FakeAboutHost::close() {
    if (!open_) return;
    open_ = nullptr;
    reactions_->unload();
}

std::uint64_t FakeTickSource::millisecondsSinceBoot() {
    return bootOffset + static_cast<std::uint64_t>(clock_.now());
}

VirtualTimerService::Slot& VirtualTimerService::slot(std::size_t timer) {
    if (timer >= slots_.size()) slots_.resize(timer + 1);
    return slots_[timer];
}

void VirtualTimerService::start(std::size_t timer, int intervalMs) {
    const auto pending = roundDue();
    auto& s = slot(timer);
    s.running = intervalMs > 0;
    s.interval = intervalMs;
    s.due = now_ + intervalMs;
    // A 1 ms timer joins the round already planned.
    if (inRound(s) && pending) s.due = *pending;
}

std::optional<std::int64_t> VirtualTimerService::roundDue() const {
    for (const auto& s : slots_)
        if (inRound(s)) return s.due;
    return std::nullopt;
}

void VirtualTimerService::planRound(std::int64_t due) {
    for (auto& s : slots_)
        if (inRound(s)) s.due = due;
}

void VirtualTimerService::setPacer(Pacer millisecondsToNextRound) {
    pacer_ = std::move(millisecondsToNextRound);
    if (pacing && pacer_ && roundDue())
        planRound(now_ + std::clamp(pacer_(), kShortestPeriodMs, kLongestPaceMs));
}

void VirtualTimerService::stop(std::size_t timer) {
    slot(timer).running = false;
}

void VirtualTimerService::stopAll() {
    for (auto& s : slots_) s.running = false;
}

bool VirtualTimerService::isRunning(std::size_t timer) const {
    return timer < slots_.size() && slots_[timer].running;
}

int VirtualTimerService::intervalOf(std::size_t timer) const {
    return timer < slots_.size() ? slots_[timer].interval : 0;
}

std::uint64_t VirtualTimerService::firesOf(std::size_t timer) const {
    return timer < slots_.size() ? slots_[timer].fires : 0;
}

void VirtualTimerService::advance(std::int64_t ms) {
    const std::int64_t target = now_ + ms;
    std::vector<std::size_t> batch;
    for (;;) {
        std::int64_t next = std::numeric_limits<std::int64_t>::max();
        for (const auto& s : slots_)
            if (s.running) next = std::min(next, s.due);
        if (next > target) break;
        now_ = next;
        batch.clear();
        for (std::size_t i = 0; i < slots_.size(); ++i)
            if (slots_[i].running && slots_[i].due == now_) batch.push_back(i);
        if (tieOrder) tieOrder(batch);
        bool roundRan = false;
        for (std::size_t id : batch) {
            auto& s = slots_[id];
            // An earlier timer of the batch may have stopped or restarted this one.
            if (!s.running || s.due != now_) continue;
            roundRan = roundRan || inRound(s);
            s.due += s.interval;
            ++s.fires;
            if (handler_) handler_(id);
        }
        // Unless the round stopped (or restarted) itself, the pacer says when the next is due.
        if (roundRan && pacer_ && roundDue() == now_ + 1)
            planRound(now_ + std::clamp(pacer_(), kShortestPeriodMs, kLongestPaceMs));
    }
    now_ = target;
}

}  // namespace rzv::test
