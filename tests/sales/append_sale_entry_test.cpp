#include "sales/append_sale_entry.h"

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <optional>
#include <ostream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "sales/read_sale_entries.h"
#include "sales/sales_day_totals.h"
#include "sales/sales_test_support.h"
#include "text/number_formatting.h"

namespace quill {
namespace {

#define RETAIL "\xC1\xE3\xCA\xDB\xBF\xCD\xBB\xA7"  // 零售客户
#define PEN "\xB8\xD6\xB1\xCA - G100"              // 钢笔 - G100
#define YUAN "\xD4\xAA"                            // 元
#define T "qwerdesfd"
#define BYTES(literal) std::string(literal, sizeof(literal) - 1)

constexpr CalendarDate kDay{2016, 3, 5};
const SaleEntry kFirst{RETAIL, PEN, "12.5 " YUAN, "3", "37.5 " YUAN};
const SaleEntry kSecond{RETAIL, PEN, "12.5 " YUAN, "1", "12.5 " YUAN};
const std::string kFirstLine = RETAIL T PEN T "12.5 " YUAN T "3" T "37.5 " YUAN T "\r\n";
const std::string kSecondLine = RETAIL T PEN T "12.5 " YUAN T "1" T "12.5 " YUAN T "\r\n";

std::string TotalsText(const std::vector<SaleEntry>& entries) {
  const SalesDayTotals totals = TotalSaleEntries(entries);
  return IntegerToText(totals.quantity) + "/" + FloatToText(totals.amount);
}

int OpenDescriptorCount() {
  int count = 0;
  for ([[maybe_unused]] const auto& item : std::filesystem::directory_iterator("/proc/self/fd")) {
    ++count;
  }
  return count;
}

struct AppendCase {
  const char* name;
  std::optional<std::string> existing;  // the day file before the appends, if any
  std::vector<SaleEntry> appended;
  std::string expected_file;
  std::size_t expected_entries;
  const char* expected_totals;  // quantity/amount
};

void PrintTo(const AppendCase& row, std::ostream* out) { *out << row.name; }

class AppendSaleEntryTest : public ::testing::TestWithParam<AppendCase> {};

TEST_P(AppendSaleEntryTest, WritesTheDayFileByteForByte) {
  const AppendCase& c = GetParam();
  testing::TempDir dir;
  const auto path = dir.path() / "2016-03-05.jl";
  if (c.existing) testing::WriteBytes(path, *c.existing);
  for (const SaleEntry& entry : c.appended) {
    const AppendResult result = AppendSaleEntry(dir.path(), kDay, entry);
    ASSERT_TRUE(result.ok()) << result.Describe();
  }
  EXPECT_EQ(testing::ReadBytes(path), c.expected_file);
  EXPECT_EQ(testing::ListNames(dir.path()), std::vector<std::string>{"2016-03-05.jl"});
  const std::vector<SaleEntry> entries = ReadSaleEntries(path);
  EXPECT_EQ(entries.size(), c.expected_entries);
  EXPECT_EQ(TotalsText(entries), c.expected_totals);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AppendSaleEntryTest,
    ::testing::Values(
        AppendCase{"FirstSaleHasNoLeadingLineEnd", std::nullopt, {kFirst}, kFirstLine, 1, "3/37.5"},
        AppendCase{"WorkedExampleSecondSale",
                   std::nullopt,
                   {kFirst, kSecond},
                   kFirstLine + "\r\n" + kSecondLine,
                   2,
                   "4/50"},
        AppendCase{
            "ExistingEmptyFileStartsWithEmptyLine", "", {kFirst}, "\r\n" + kFirstLine, 1, "3/37.5"},
        AppendCase{"EmptyCustomer",
                   std::nullopt,
                   {{"", PEN, "2", "1", "2"}},
                   T PEN T "2" T "1" T "2" T "\r\n",
                   1,
                   "1/2"},
        AppendCase{"FieldContainingToken",
                   std::nullopt,
                   {{"a", "pen" T "x", "2", "3", "6"}},
                   "a" T "pen" T "x" T "2" T "3" T "6" T "\r\n",
                   1,
                   "2/3"},
        AppendCase{
            "FullWidthAmountAndNegativeQuantity",
            std::nullopt,
            {kFirst, {"", PEN, "1", "-2", "\xA3\xB3\xA3\xB7\xA3\xAE\xA3\xB5"}},
            kFirstLine + "\r\n" T PEN T "1" T "-2" T "\xA3\xB3\xA3\xB7\xA3\xAE\xA3\xB5" T "\r\n",
            2,
            "1/75"},
        AppendCase{"MillionAmountInSinglePrecision",
                   std::nullopt,
                   {{"", "", "", "1", "1234000"}, {"", "", "", "1", "567 " YUAN}},
                   T T T "1" T "1234000" T "\r\n\r\n" T T T "1" T "567 " YUAN T "\r\n",
                   2,
                   "2/1.23457e+006"},
        AppendCase{"OldTextEndsAtZeroByte",
                   BYTES("old\0junk"),
                   {kFirst},
                   "old\r\n" + kFirstLine,
                   2,
                   "3/37.5"},
        AppendCase{"HandEditedFileWithoutLineEnd",
                   "x" T "y",
                   {kSecond},
                   "x" T "y\r\n" + kSecondLine,
                   2,
                   "1/12.5"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AppendSaleEntry, TheGivenDateChoosesTheFile) {
  // The caller reads the clock once: a sale confirmed across midnight goes whole to one day.
  testing::TempDir dir;
  ASSERT_TRUE(AppendSaleEntry(dir.path(), {2016, 3, 5}, kFirst).ok());
  ASSERT_TRUE(AppendSaleEntry(dir.path(), {2016, 3, 6}, kSecond).ok());
  EXPECT_EQ(testing::ReadBytes(dir.path() / "2016-03-05.jl"), kFirstLine);
  EXPECT_EQ(testing::ReadBytes(dir.path() / "2016-03-06.jl"), kSecondLine);
}

TEST(AppendSaleEntry, SomethingUnreadableAtThePathIsNeverReplaced) {
  testing::TempDir dir;
  std::filesystem::create_directory(dir.path() / "2016-03-05.jl");
  const AppendResult result = AppendSaleEntry(dir.path(), kDay, kFirst);
  EXPECT_EQ(result.failed_at, AppendStage::kRead);
  EXPECT_TRUE(result.error);
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "2016-03-05.jl"));
  EXPECT_EQ(testing::ListNames(dir.path()), std::vector<std::string>{"2016-03-05.jl"});
}

TEST(AppendSaleEntry, MissingRunDirectoryFails) {
  testing::TempDir dir;
  const AppendResult result = AppendSaleEntry(dir.path() / "gone", kDay, kFirst);
  EXPECT_FALSE(result.ok());
  EXPECT_FALSE(result.line_in_file());
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "gone"));
}

TEST(AppendSaleEntry, ReadOnlyDirectoryKeepsTheOldLines) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
  testing::TempDir dir;
  const auto path = dir.path() / "2016-03-05.jl";
  testing::WriteBytes(path, kFirstLine);
  std::filesystem::permissions(
      dir.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  const AppendResult result = AppendSaleEntry(dir.path(), kDay, kSecond);
  EXPECT_EQ(result.failed_at, AppendStage::kWrite);
  EXPECT_EQ(testing::ReadBytes(path), kFirstLine);
}

TEST(AppendSaleEntry, UnreadableFileIsNeverReplaced) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
  testing::TempDir dir;
  const auto path = dir.path() / "2016-03-05.jl";
  testing::WriteBytes(path, kFirstLine);
  std::filesystem::permissions(path, std::filesystem::perms::owner_write);
  EXPECT_EQ(AppendSaleEntry(dir.path(), kDay, kSecond).failed_at, AppendStage::kRead);
  std::filesystem::permissions(path, std::filesystem::perms::owner_read,
                               std::filesystem::perm_options::add);
  EXPECT_EQ(testing::ReadBytes(path), kFirstLine);
}

TEST(AppendResult, DescribesTheStageAndReason) {
  const AppendResult result{AppendStage::kWrite,
                            std::make_error_code(std::errc::no_space_on_device)};
  EXPECT_NE(result.Describe().find("write"), std::string::npos);
  EXPECT_NE(result.Describe().find(std::make_error_code(std::errc::no_space_on_device).message()),
            std::string::npos);
  EXPECT_EQ(AppendResult{}.Describe(), "recorded");
}

// Passes every call to the real file system except the one chosen to fail. A failing write
// first writes half of its bytes, as a full disk does.
class FaultyFiles final : public DayFileSystem {
 public:
  explicit FaultyFiles(int fail_at) : fail_at_(fail_at) {}

  int calls() const { return calls_; }
  const std::string& failed_call() const { return failed_call_; }

  std::error_code OpenForReading(const std::string& path, int& fd) override {
    if (Hit("OpenForReading")) return Fault();
    return real_.OpenForReading(path, fd);
  }
  std::error_code CreateTemporary(const std::string& prefix, std::string& path, int& fd) override {
    if (Hit("CreateTemporary")) return Fault();
    return real_.CreateTemporary(prefix, path, fd);
  }
  std::error_code Read(int fd, char* buffer, std::size_t size, std::size_t& count) override {
    if (Hit("Read")) return Fault();
    return real_.Read(fd, buffer, size, count);
  }
  std::error_code Write(int fd, const char* data, std::size_t size, std::size_t& count) override {
    if (Hit("Write")) {
      real_.Write(fd, data, size / 2, count);
      return std::make_error_code(std::errc::no_space_on_device);
    }
    return real_.Write(fd, data, size, count);
  }
  std::error_code Sync(int fd) override {
    if (Hit("Sync")) return Fault();
    return real_.Sync(fd);
  }
  std::error_code Close(int fd) override {
    if (Hit("Close")) {
      real_.Close(fd);  // a failed close still releases the descriptor
      return Fault();
    }
    return real_.Close(fd);
  }
  std::error_code LockExclusive(int fd) override {
    if (Hit("LockExclusive")) return Fault();
    return real_.LockExclusive(fd);
  }
  std::error_code IdentifyOpen(int fd, DayFileIdentity& identity) override {
    if (Hit("IdentifyOpen")) return Fault();
    return real_.IdentifyOpen(fd, identity);
  }
  std::error_code IdentifyPath(const std::string& path, DayFileIdentity& identity) override {
    if (Hit("IdentifyPath")) return Fault();
    return real_.IdentifyPath(path, identity);
  }
  std::error_code Rename(const std::string& from, const std::string& to) override {
    if (Hit("Rename")) return Fault();
    return real_.Rename(from, to);
  }
  std::error_code Link(const std::string& from, const std::string& to) override {
    if (Hit("Link")) return Fault();
    return real_.Link(from, to);
  }
  std::error_code Remove(const std::string& path) override {
    if (Hit("Remove")) return Fault();
    return real_.Remove(path);
  }
  std::error_code SyncDirectory(const std::string& path) override {
    if (Hit("SyncDirectory")) return Fault();
    return real_.SyncDirectory(path);
  }

 private:
  bool Hit(const char* call) {
    if (++calls_ != fail_at_) return false;
    failed_call_ = call;
    return true;
  }
  static std::error_code Fault() { return std::make_error_code(std::errc::io_error); }

  DayFileSystem& real_ = DefaultDayFileSystem();
  int fail_at_;
  int calls_ = 0;
  std::string failed_call_;
};

struct FaultCase {
  const char* name;
  std::optional<std::string> existing;
};

void PrintTo(const FaultCase& row, std::ostream* out) { *out << row.name; }

class AppendFaultTest : public ::testing::TestWithParam<FaultCase> {};

// Fails each file call of an append in turn: the append either reports success with the new
// line in place, or reports failure with the day file exactly as before (or, after a failed
// directory sync only, with the line in place and says so). No descriptor is leaked.
TEST_P(AppendFaultTest, AFailureAtAnyCallKeepsTheEarlierLines) {
  const std::optional<std::string>& before = GetParam().existing;
  const std::string after = before ? *before + "\r\n" + kSecondLine : kSecondLine;
  bool reached_the_end = false;
  for (int fail_at = 1; !reached_the_end; ++fail_at) {
    SCOPED_TRACE("failing call " + std::to_string(fail_at));
    testing::TempDir dir;
    const auto path = dir.path() / "2016-03-05.jl";
    if (before) testing::WriteBytes(path, *before);
    const int descriptors = OpenDescriptorCount();

    FaultyFiles files(fail_at);
    const AppendResult result = AppendSaleEntry(dir.path(), kDay, kSecond, files);
    reached_the_end = files.calls() < fail_at;
    SCOPED_TRACE("failed call " + files.failed_call() + ": " + result.Describe());

    EXPECT_EQ(OpenDescriptorCount(), descriptors);
    if (result.ok() || result.line_in_file()) {
      EXPECT_EQ(testing::ReadBytes(path), after);
    } else if (before) {
      EXPECT_EQ(testing::ReadBytes(path), *before);
    } else {
      EXPECT_FALSE(std::filesystem::exists(path));
    }
    // Only the release of a descriptor, the size hint of a read and the removal of a spent
    // temporary file may fail without consequence; any other failure is reported.
    static const std::set<std::string> kHarmless{"", "Close", "IdentifyOpen", "Remove"};
    if (!kHarmless.count(files.failed_call())) {
      EXPECT_FALSE(result.ok());
    }
    // Only a failed removal of the spent temporary file may leave it behind.
    if (files.failed_call() != "Remove") {
      std::vector<std::string> expected;
      if (before || result.ok() || result.line_in_file()) expected.push_back("2016-03-05.jl");
      EXPECT_EQ(testing::ListNames(dir.path()), expected);
    }
    ASSERT_LT(fail_at, 200) << "the append never stopped calling";
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, AppendFaultTest,
                         ::testing::Values(FaultCase{"NewDay", std::nullopt},
                                           FaultCase{"DayWithSales", kFirstLine},
                                           FaultCase{"EmptyDayFile", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

// Accepts at most three bytes per write, as a pipe or a signal-interrupted write may.
class TrickleFiles final : public DayFileSystem {
 public:
  std::error_code OpenForReading(const std::string& p, int& fd) override {
    return real_.OpenForReading(p, fd);
  }
  std::error_code CreateTemporary(const std::string& prefix, std::string& p, int& fd) override {
    return real_.CreateTemporary(prefix, p, fd);
  }
  std::error_code Read(int fd, char* buffer, std::size_t size, std::size_t& count) override {
    return real_.Read(fd, buffer, size < 3 ? size : 3, count);
  }
  std::error_code Write(int fd, const char* data, std::size_t size, std::size_t& count) override {
    return real_.Write(fd, data, size < 3 ? size : 3, count);
  }
  std::error_code Sync(int fd) override { return real_.Sync(fd); }
  std::error_code Close(int fd) override { return real_.Close(fd); }
  std::error_code LockExclusive(int fd) override { return real_.LockExclusive(fd); }
  std::error_code IdentifyOpen(int fd, DayFileIdentity& id) override {
    return real_.IdentifyOpen(fd, id);
  }
  std::error_code IdentifyPath(const std::string& p, DayFileIdentity& id) override {
    return real_.IdentifyPath(p, id);
  }
  std::error_code Rename(const std::string& a, const std::string& b) override {
    return real_.Rename(a, b);
  }
  std::error_code Link(const std::string& a, const std::string& b) override {
    return real_.Link(a, b);
  }
  std::error_code Remove(const std::string& p) override { return real_.Remove(p); }
  std::error_code SyncDirectory(const std::string& p) override { return real_.SyncDirectory(p); }

 private:
  DayFileSystem& real_ = DefaultDayFileSystem();
};

TEST(AppendSaleEntry, ShortReadsAndWritesStillGiveTheWholeText) {
  testing::TempDir dir;
  TrickleFiles files;
  ASSERT_TRUE(AppendSaleEntry(dir.path(), kDay, kFirst, files).ok());
  ASSERT_TRUE(AppendSaleEntry(dir.path(), kDay, kSecond, files).ok());
  EXPECT_EQ(testing::ReadBytes(dir.path() / "2016-03-05.jl"), kFirstLine + "\r\n" + kSecondLine);
}

// Two processes append to one day at once; every line of both arrives, each process's lines
// in its own order.
TEST(AppendSaleEntry, TwoProcessesAppendingAtOnceLoseNoLine) {
  testing::TempDir dir;
  constexpr int kLinesPerProcess = 150;
  std::vector<pid_t> children;
  for (const char* writer : {"a", "b"}) {
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      int failures = 0;
      for (int i = 0; i < kLinesPerProcess; ++i) {
        const SaleEntry entry{writer, std::to_string(i), "1", "1", "1"};
        if (!AppendSaleEntry(dir.path(), kDay, entry).ok()) ++failures;
      }
      ::_exit(failures == 0 ? 0 : 1);
    }
    children.push_back(pid);
  }
  for (const pid_t pid : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a writer reported failure";
  }
  const std::vector<SaleEntry> entries = ReadSaleEntries(dir.path() / "2016-03-05.jl");
  ASSERT_EQ(entries.size(), 2u * kLinesPerProcess);
  int next_a = 0;
  int next_b = 0;
  for (const SaleEntry& entry : entries) {
    int& next = entry.customer == "a" ? next_a : next_b;
    EXPECT_EQ(entry.goods, std::to_string(next));
    ++next;
  }
  EXPECT_EQ(next_a, kLinesPerProcess);
  EXPECT_EQ(next_b, kLinesPerProcess);
  EXPECT_EQ(testing::ListNames(dir.path()), std::vector<std::string>{"2016-03-05.jl"});
}

// A writer killed at a random moment of an append leaves the day with every line it reported
// recorded, each line whole, and nothing but a spent temporary file beside it.
TEST(AppendSaleEntry, AWriterKilledMidAppendLeavesWholeLines) {
  const unsigned seed = std::random_device{}();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 random(seed);
  for (int round = 0; round < 5; ++round) {
    testing::TempDir dir;
    const auto path = dir.path() / "2016-03-05.jl";
    int reports[2];
    ASSERT_EQ(::pipe(reports), 0);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      ::close(reports[0]);
      for (int i = 0;; ++i) {
        if (!AppendSaleEntry(dir.path(), kDay, {std::to_string(i), "g", "1", "1", "1"}).ok()) {
          ::_exit(1);
        }
        const char done = 1;
        if (::write(reports[1], &done, 1) != 1) ::_exit(1);
      }
    }
    ::close(reports[1]);
    // Kill after a random number of reported appends, somewhere inside the next one.
    const int reported = std::uniform_int_distribution<int>(1, 40)(random);
    for (int seen = 0; seen < reported;) {
      char done;
      const ssize_t got = ::read(reports[0], &done, 1);
      if (got < 0 && errno == EINTR) continue;
      ASSERT_EQ(got, 1) << "the writer stopped early";
      ++seen;
    }
    ::kill(pid, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ::close(reports[0]);

    const std::string bytes = testing::ReadBytes(path);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << "a line was cut";
    const std::vector<SaleEntry> entries = ReadSaleEntries(path);
    ASSERT_GE(entries.size(), static_cast<std::size_t>(reported));
    for (std::size_t i = 0; i < entries.size(); ++i) {
      EXPECT_EQ(entries[i], (SaleEntry{std::to_string(i), "g", "1", "1", "1"})) << "line " << i;
    }
    for (const std::string& name : testing::ListNames(dir.path())) {
      EXPECT_TRUE(name == "2016-03-05.jl" || name.ends_with(".tmp")) << name;
    }
  }
}

TEST(DeleteDailySalesFile, RemovesTheDaySoTheNextSaleStartsAfresh) {
  testing::TempDir dir;
  const auto path = dir.path() / "2016-03-05.jl";
  ASSERT_TRUE(AppendSaleEntry(dir.path(), kDay, kFirst).ok());
  EXPECT_FALSE(DeleteDailySalesFile(path));
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_FALSE(DeleteDailySalesFile(path)) << "a missing day is already deleted";
  ASSERT_TRUE(AppendSaleEntry(dir.path(), kDay, kSecond).ok());
  EXPECT_EQ(testing::ReadBytes(path), kSecondLine);
}

TEST(DeleteDailySalesFile, ReportsAFailedRemoval) {
  testing::TempDir dir;
  const auto path = dir.path() / "2016-03-05.jl";
  testing::WriteBytes(path, kFirstLine);
  // Calls: open, lock, identify open, identify path, remove.
  FaultyFiles files(5);
  EXPECT_TRUE(DeleteDailySalesFile(path, files));
  EXPECT_EQ(files.failed_call(), "Remove");
  EXPECT_EQ(testing::ReadBytes(path), kFirstLine);
}

}  // namespace
}  // namespace quill
