#include "output/atomic_file_write.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace quill {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class WriteFileReplacingTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        fs::temp_directory_path() / ("quill-atomic-" + std::to_string(::getpid()) + "-" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Only the expected names: no temporary file may be left behind.
  std::size_t EntryCount() const {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
  }

  fs::path dir_;
};

TEST_F(WriteFileReplacingTest, CreatesTheFileWithExactlyTheBytes) {
  const std::string bytes("a,b\r\n\0\xFF", 7);
  const fs::path target = dir_ / "数据库文件.xls";
  EXPECT_FALSE(WriteFileReplacing(target, bytes));
  EXPECT_EQ(ReadAll(target), bytes);
  EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(WriteFileReplacingTest, ReplacesALongerFileWholeAndKeepsItsPermissions) {
  const fs::path target = dir_ / "out.xls";
  std::ofstream(target, std::ios::binary) << std::string(1000, 'x');
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_FALSE(WriteFileReplacing(target, "new"));
  EXPECT_EQ(ReadAll(target), "new");
  EXPECT_EQ(fs::status(target).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(WriteFileReplacingTest, EmptyContentGivesAnEmptyFile) {
  const fs::path target = dir_ / "out.xls";
  std::ofstream(target, std::ios::binary) << "old";
  EXPECT_FALSE(WriteFileReplacing(target, ""));
  EXPECT_TRUE(fs::exists(target));
  EXPECT_EQ(fs::file_size(target), 0u);
}

TEST_F(WriteFileReplacingTest, MissingDirectoryFailsAndCreatesNothing) {
  const fs::path target = dir_ / "missing" / "out.xls";
  EXPECT_TRUE(WriteFileReplacing(target, "data"));
  EXPECT_FALSE(fs::exists(dir_ / "missing"));
  EXPECT_EQ(EntryCount(), 0u);
}

TEST_F(WriteFileReplacingTest, DirectoryInThePlaceOfTheFileFailsAndStaysUntouched) {
  const fs::path target = dir_ / "out.xls";
  fs::create_directory(target);
  std::ofstream(target / "inner", std::ios::binary) << "keep";
  EXPECT_TRUE(WriteFileReplacing(target, "data"));
  EXPECT_TRUE(fs::is_directory(target));
  EXPECT_EQ(ReadAll(target / "inner"), "keep");
  EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(WriteFileReplacingTest, ParentThatIsAFileFailsAndLeavesItUntouched) {
  const fs::path blocker = dir_ / "blocker";
  std::ofstream(blocker, std::ios::binary) << "previous";
  EXPECT_TRUE(WriteFileReplacing(blocker / "out.xls", "data"));
  EXPECT_EQ(ReadAll(blocker), "previous");
  EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(WriteFileReplacingTest, FailureInTheMiddleOfWritingKeepsThePreviousFile) {
  // A file size limit makes write() fail part way, as a full disk would.
  const fs::path target = dir_ / "out.xls";
  std::ofstream(target, std::ios::binary) << "previous";
  rlimit old_limit{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old_limit), 0);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old_limit;
  small.rlim_cur = 64;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const std::error_code error = WriteFileReplacing(target, std::string(100000, 'y'));
  ::setrlimit(RLIMIT_FSIZE, &old_limit);
  std::signal(SIGXFSZ, old_handler);
  EXPECT_EQ(error, std::errc::file_too_large);
  EXPECT_EQ(ReadAll(target), "previous");
  EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(WriteFileReplacingTest, ReadOnlyDirectoryFailsAndKeepsThePreviousFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "running as root: directory permissions do not apply";
  const fs::path target = dir_ / "out.xls";
  std::ofstream(target, std::ios::binary) << "previous";
  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
  const std::error_code error = WriteFileReplacing(target, "data");
  fs::permissions(dir_, fs::perms::owner_all);
  EXPECT_TRUE(error);
  EXPECT_EQ(ReadAll(target), "previous");
  EXPECT_EQ(EntryCount(), 1u);
}

}  // namespace
}  // namespace quill
