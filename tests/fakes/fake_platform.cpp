#include "fakes/fake_platform.h"

#include "core/since_boot.h"

#include <algorithm>

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

FileWrite FakeFileOutput::replace(const std::string& name, std::string_view text) {
    if (!failure.empty()) return {failure, WriteRefusal::Other};
    const auto slash = name.rfind('/');
    const auto refusal = refusals.find(slash == std::string::npos ? "" : name.substr(0, slash));
    if (refusal != refusals.end()) return refusal->second;
    ++writes;
    files[name] = std::string(text);
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

std::uint64_t FakeBootClocks::awakeMilliseconds() {
    return awakeOffset + static_cast<std::uint64_t>(clock_.now());
}

std::int64_t FakeBootClocks::wallClockMilliseconds() {
    return wallOffset + clock_.now();
}

std::string FakeRegionalFormats::dateAndTimeAt(std::int64_t unixMs) {
    const std::string utc = utcText(unixMs + utcOffsetMinutes * 60000LL);
    return utc.substr(0, 10) + " " + utc.substr(11, 8);  // "2026-12-07 09:12:44"
}

std::uint64_t FakeTickSource::millisecondsSinceBoot() {
    if (stepUs > 0) return microsecondsSinceBoot() / 1000;
    return bootOffset + static_cast<std::uint64_t>(clock_.now());
}

std::uint64_t FakeTickSource::microsecondsSinceBoot() {
    if (stepUs <= 0) return millisecondsSinceBoot() * 1000;
    const auto count = bootOffset * 1000 + static_cast<std::uint64_t>(clock_.nowUs());
    const auto step = static_cast<std::uint64_t>(stepUs);
    const auto phase = static_cast<std::uint64_t>(stepPhaseUs) % step;
    return count < phase ? 0 : (count - phase) / step * step + phase;
}

std::chrono::microseconds FakeTickSource::step() const {
    return std::chrono::microseconds(stepUs > 0 ? stepUs : 1);
}

VirtualTimerService::VirtualTimerService()
    : TimerSchedule([this] { return nowUs_; }, static_cast<VirtualClock&>(*this),
                    [this](std::vector<std::size_t>& due) {
                        if (tieOrder) tieOrder(due);
                    }) {
    TimerSchedule::setPacer([this] { return pace(); });
    TimerSchedule::setFireHandler([this](std::size_t timer) {
        ++fires_[timer];
        if (handler_) handler_(timer);
    });
}

void VirtualTimerService::setFireHandler(FireHandler handler) {
    handler_ = std::move(handler);
}

void VirtualTimerService::start(std::size_t timer, int intervalMs) {
    running_.insert(timer);
    intervals_[timer] = intervalMs;
    TimerSchedule::start(timer, intervalMs);
}

void VirtualTimerService::stop(std::size_t timer) {
    running_.erase(timer);
    TimerSchedule::stop(timer);
}

void VirtualTimerService::stopAll() {
    running_.clear();
    TimerSchedule::stopAll();
}

int VirtualTimerService::intervalOf(std::size_t timer) const {
    const auto found = intervals_.find(timer);
    return found == intervals_.end() ? 0 : found->second;
}

std::uint64_t VirtualTimerService::firesOf(std::size_t timer) const {
    const auto found = fires_.find(timer);
    return found == fires_.end() ? 0 : found->second;
}

// Asked at every round, so that `pacing` may be turned on after the pacer was installed.
std::chrono::microseconds VirtualTimerService::pace() {
    if (pacing && pacer_) return pacer_();
    return std::chrono::milliseconds(kShortestPeriodMs);
}

void VirtualTimerService::setPacer(Pacer timeToNextRound) {
    pacer_ = std::move(timeToNextRound);
    // A round already waiting is planned again from the new pacer, as in the program.
    if (pacing) TimerSchedule::setPacer([this] { return pace(); });
}

void VirtualTimerService::advance(std::int64_t ms) {
    const std::int64_t target = nowUs_ + ms * 1000;
    while (moment_ && *moment_ <= target) {
        nowUs_ = std::max(nowUs_, *moment_);
        ++wakes_;
        wake_();
    }
    nowUs_ = target;
}

}  // namespace rzv::test
