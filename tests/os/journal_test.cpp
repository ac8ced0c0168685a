// The journal's entries against the rules of its native protocol, and their way through a socket
// that stands in for the journal's.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "os/linux/journal_entry.h"
#include "os/linux/journal_system_log.h"

namespace rzv {
namespace {

// The journal's reading of a datagram: "NAME=value\n", or "NAME\n" + 64-bit little-endian size
// + bytes + "\n". Nothing when the bytes break the rules.
std::optional<std::vector<journal::Field>> decode(const std::string& bytes) {
    std::vector<journal::Field> fields;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t end = bytes.find('\n', at);
        if (end == std::string::npos) return std::nullopt;
        const std::string line = bytes.substr(at, end - at);
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos) {
            fields.push_back({line.substr(0, equals), line.substr(equals + 1)});
            at = end + 1;
            continue;
        }
        if (end + 9 > bytes.size()) return std::nullopt;
        std::uint64_t size = 0;
        for (int i = 7; i >= 0; --i)
            size = (size << 8) | static_cast<unsigned char>(bytes[end + 1 + i]);
        const std::size_t value = end + 9;
        if (value + size + 1 > bytes.size() || bytes[value + size] != '\n') return std::nullopt;
        fields.push_back({line, bytes.substr(value, size)});
        at = value + size + 1;
    }
    return fields;
}

std::map<std::string, std::string> byName(const std::vector<journal::Field>& fields) {
    std::map<std::string, std::string> map;
    for (const auto& f : fields) map[f.name] = f.value;
    return map;
}

TEST(JournalEncoding, keepsEveryValueWholeWhateverItHolds) {
    const std::string longRecord = [] {
        std::string text;
        for (int line = 0; line < 20000; ++line) text += std::string(56, '=') + "\n";
        return text;
    }();
    const std::vector<journal::Field> cases[] = {
        {{"MESSAGE", "one line"}},
        {{"MESSAGE", ""}, {"EMPTY", ""}},
        {{"MESSAGE", "a=b=c"}},  // "=" in a value is the value's
        {{"MESSAGE", "line 1\nline 2\n"}, {"PRIORITY", "6"}},
        {{"MESSAGE", std::string("nul\0inside\nand more", 19)}},
        {{"MESSAGE", longRecord}, {"LOG_WRITTEN", "1"}},
    };
    for (const auto& fields : cases) {
        const std::string bytes = journal::encode(fields);
        const auto decoded = decode(bytes);
        ASSERT_TRUE(decoded) << bytes.substr(0, 80);
        ASSERT_EQ(decoded->size(), fields.size());
        for (std::size_t i = 0; i < fields.size(); ++i) {
            EXPECT_EQ((*decoded)[i].name, fields[i].name);
            EXPECT_EQ((*decoded)[i].value, fields[i].value);
        }
    }
    // Only a value with a line break takes the binary form; its size counts the bytes exactly.
    EXPECT_EQ(journal::encode({{"A", "x"}, {"B", "1\n2"}}), std::string("A=x\nB\n\x03\0\0\0\0\0\0\0"
                                                                        "1\n2\n",
                                                                        18));
}

TEST(JournalEncoding, leavesOutNamesTheJournalRefuses) {
    const struct {
        const char* name;
        bool valid;
    } cases[] = {{"MESSAGE", true}, {"UPTIME_MS", true}, {"A1_2", true},
                 {"_PID", false},   {"1ST", false},      {"message", false},
                 {"", false},       {"LOG-FILE", false}, {"LOG FILE", false}};
    for (const auto& c : cases) {
        EXPECT_EQ(journal::isValidFieldName(c.name), c.valid) << c.name;
        EXPECT_EQ(journal::encode({{c.name, "v"}}).empty(), !c.valid) << c.name;
    }
    EXPECT_TRUE(journal::isValidFieldName(std::string(64, 'A')));
    EXPECT_FALSE(journal::isValidFieldName(std::string(65, 'A')));
}

const UptimeRecordEntry kEntry{
    "====\r\n- 06/12/2026 - 14:05:09 -\r\nPC Name = OFFICE-PC\r\nCurrent UpTime = 3d, 7h, 25m, "
    "41s\r\n====",
    285941250,
    "3d, 7h, 25m, 41s",
    "OFFICE-PC",
    "/home/user/logs/RI-ZUZERU-VAVUZA.LOG",
    false,
    "2026-12-03T10:00:02Z",
    200000000,
    85941250,
    false};

TEST(JournalEntries, carryTheRecordAndItsFigures) {
    auto fields = byName(journal::recordFields(kEntry, "RI-ZUZERU-VAVUZA"));
    EXPECT_EQ(fields["MESSAGE"],
              "====\n- 06/12/2026 - 14:05:09 -\nPC Name = OFFICE-PC\nCurrent UpTime = 3d, 7h, "
              "25m, 41s\n====");
    EXPECT_EQ(fields["MESSAGE_ID"], journal::kUptimeRecordedId);
    EXPECT_EQ(fields["PRIORITY"], "6");
    EXPECT_EQ(fields["SYSLOG_IDENTIFIER"], "RI-ZUZERU-VAVUZA");
    EXPECT_EQ(fields["UPTIME_MS"], "285941250");
    EXPECT_EQ(fields["UPTIME"], "3d, 7h, 25m, 41s");
    EXPECT_EQ(fields["COMPUTER_NAME"], "OFFICE-PC");
    EXPECT_EQ(fields["LOG_FILE"], "/home/user/logs/RI-ZUZERU-VAVUZA.LOG");
    EXPECT_EQ(fields["LOG_WRITTEN"], "0");
    EXPECT_EQ(fields["BOOT_TIME"], "2026-12-03T10:00:02Z");
    EXPECT_EQ(fields["AWAKE_MS"], "200000000");
    EXPECT_EQ(fields["ASLEEP_MS"], "85941250");

    fields = byName(
        journal::failureFields("/l/X.LOG", "cannot write the log file X.LOG: full", "full", "X"));
    EXPECT_EQ(fields["PRIORITY"], "3");
    EXPECT_EQ(fields["MESSAGE_ID"], journal::kLogWriteFailedId);
    EXPECT_EQ(fields["LOG_FILE"], "/l/X.LOG");
    EXPECT_EQ(fields["REASON"], "full");
    fields = byName(journal::warningFields("setting MAIN_Top holds \"x\"", "X"));
    EXPECT_EQ(fields["PRIORITY"], "4");
    EXPECT_EQ(fields["MESSAGE_ID"], journal::kWarningId);
    EXPECT_EQ(fields["MESSAGE"], "setting MAIN_Top holds \"x\"");
    // Three kinds, three ids.
    EXPECT_STRNE(journal::kUptimeRecordedId, journal::kLogWriteFailedId);
    EXPECT_STRNE(journal::kLogWriteFailedId, journal::kWarningId);
}

// A datagram socket in a folder of the test's own, read as the journal reads its socket.
class JournalSocketTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char folder[] = "/tmp/rzv-journal-XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        folder_ = folder;
        path_ = folder_ + "/socket";
        fd_ = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strcpy(address.sun_path, path_.c_str());
        ASSERT_EQ(bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        timeval wait{2, 0};
        setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    }
    void TearDown() override {
        close(fd_);
        unlink(path_.c_str());
        rmdir(folder_.c_str());
    }
    // The next entry's bytes, from the datagram or from the memory file it carries.
    std::string receive(bool* viaMemoryFile = nullptr) {
        std::string data(1 << 20, '\0');
        alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))] = {};
        iovec io{data.data(), data.size()};
        msghdr message{};
        message.msg_iov = &io;
        message.msg_iovlen = 1;
        message.msg_control = control;
        message.msg_controllen = sizeof control;
        const ssize_t n = recvmsg(fd_, &message, MSG_CMSG_CLOEXEC);
        if (n < 0) return "(nothing received)";
        data.resize(static_cast<std::size_t>(n));
        const cmsghdr* header = CMSG_FIRSTHDR(&message);
        if (viaMemoryFile) *viaMemoryFile = header != nullptr;
        if (!header) return data;
        EXPECT_EQ(n, 0);  // the descriptor comes alone
        int memory = -1;
        std::memcpy(&memory, CMSG_DATA(header), sizeof memory);
        // The journal takes only a file its sender can no longer change.
        const int seals = fcntl(memory, F_GET_SEALS);
        EXPECT_EQ(seals & (F_SEAL_WRITE | F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_SEAL),
                  F_SEAL_WRITE | F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_SEAL);
        struct stat status {};
        fstat(memory, &status);
        std::string content(static_cast<std::size_t>(status.st_size), '\0');
        EXPECT_EQ(pread(memory, content.data(), content.size(), 0), status.st_size);
        close(memory);
        return content;
    }

    std::string folder_, path_;
    int fd_ = -1;
};

TEST_F(JournalSocketTest, sendsAnEntryAsOneDatagramAndALargeOneInASealedMemoryFile) {
    JournalSystemLog log("RI-ZUZERU-VAVUZA", path_);
    bool viaMemory = true;
    log.uptimeRecorded(kEntry);
    EXPECT_EQ(receive(&viaMemory),
              journal::encode(journal::recordFields(kEntry, "RI-ZUZERU-VAVUZA")));
    EXPECT_FALSE(viaMemory);

    UptimeRecordEntry large = kEntry;
    large.computerName = std::string(3 << 20, 'N');  // beyond any datagram
    log.uptimeRecorded(large);
    EXPECT_EQ(receive(&viaMemory),
              journal::encode(journal::recordFields(large, "RI-ZUZERU-VAVUZA")));
    EXPECT_TRUE(viaMemory);

    log.warning("setting MAIN_Top holds \"x\"");
    const auto warning = decode(receive());
    ASSERT_TRUE(warning);
    EXPECT_EQ(byName(*warning)["PRIORITY"], "4");
}

TEST_F(JournalSocketTest, neverWaitsForAJournalThatDoesNotRead) {
    JournalSystemLog log("RI-ZUZERU-VAVUZA", path_);
    const auto start = std::chrono::steady_clock::now();
    int taken = 0;
    for (int i = 0; i < 2000; ++i) taken += log.send(journal::recordFields(kEntry, "X")) ? 1 : 0;
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(taken, 2000);  // the socket's queue filled up, and the rest were dropped
    EXPECT_LT(elapsed, std::chrono::seconds(1));
}

TEST(JournalSystemLog, sendsNothingWhereThereIsNoJournal) {
    JournalSystemLog missing("X", "/tmp/rzv-no-such-folder/socket");
    EXPECT_FALSE(missing.send(journal::warningFields("w", "X")));
    missing.uptimeRecorded(kEntry);  // nothing to see, nothing thrown
}

}  // namespace
}  // namespace rzv
