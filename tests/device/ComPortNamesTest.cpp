// COM names on Linux: the fixed table both ways, the link directory and its
// safety checks, and how a "\\.\COMn" path is resolved.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "ComPortNames.h"
#include "TempDir.h"

namespace {

struct TableCase {
    const char* name;
    unsigned com;
    const char* tty;
};

void PrintTo(const TableCase& c, std::ostream* os) { *os << c.name; }

class FixedTable : public ::testing::TestWithParam<TableCase> {};

TEST_P(FixedTable, MapsBothWays)
{
    const TableCase& c = GetParam();
    EXPECT_EQ(comnames::FixedTableTtyName(c.com), c.tty);
    if (c.tty[0] != '\0') {
        EXPECT_EQ(comnames::FixedTableNumber(c.tty), c.com);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, FixedTable,
    ::testing::Values(TableCase{"Com0IsNothing", 0, ""}, TableCase{"Com1", 1, "ttyS0"},
                      TableCase{"Com32", 32, "ttyS31"}, TableCase{"Com33", 33, "ttyUSB0"},
                      TableCase{"Com64", 64, "ttyUSB31"}, TableCase{"Com65", 65, "ttyACM0"},
                      TableCase{"Com97", 97, "ttyAMA0"}, TableCase{"Com128", 128, "ttyAMA31"},
                      TableCase{"Com129IsNothing", 129, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FixedTableNames, RejectsNamesOutsideTheTable)
{
    for (const char* name : {"ttyS32", "ttyUSB", "ttyS01", "ttyS-1", "ttyUSB0x", "tty0", "ttyXYZ3", "ttyS4294967297"})
        EXPECT_FALSE(comnames::FixedTableNumber(name).has_value()) << name;
}

TEST(ComDevicePath, OnlyDigitsFollowThePrefix)
{
    EXPECT_EQ(comnames::ParseComDevicePath("\\\\.\\COM7"), 7u);
    EXPECT_EQ(comnames::ParseComDevicePath("\\\\.\\COM0"), 0u);
    EXPECT_FALSE(comnames::ParseComDevicePath("\\\\.\\COM-1"));
    EXPECT_FALSE(comnames::ParseComDevicePath("\\\\.\\COM"));
    EXPECT_FALSE(comnames::ParseComDevicePath("\\\\.\\COM3x"));
    EXPECT_FALSE(comnames::ParseComDevicePath("/dev/ttyS0"));
}

class PortLinkDirectory : public ::testing::Test {
protected:
    ScopedRuntimeDir runtime;
    std::string dir = comnames::PortLinkDirectory();
};

TEST_F(PortLinkDirectory, LivesUnderTheRuntimeDirectoryAndIsCreatedPrivate)
{
    EXPECT_EQ(dir, runtime.Path() + "/vadire/ports");
    EXPECT_EQ(comnames::CheckPortLinkDirectory(dir), ENOENT);
    ASSERT_EQ(comnames::EnsurePortLinkDirectory(dir), 0);
    struct stat st {};
    ASSERT_EQ(::stat(dir.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST_F(PortLinkDirectory, WithoutRuntimeDirectoryFallsBackToTmpPerUser)
{
    ::unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(comnames::PortLinkDirectory(), "/tmp/vadire-" + std::to_string(::getuid()) + "/ports");
}

TEST_F(PortLinkDirectory, ALinkNamesTheDeviceAndAWritableDirectoryIsIgnored)
{
    ASSERT_EQ(comnames::EnsurePortLinkDirectory(dir), 0);
    ASSERT_EQ(::symlink("/dev/null", (dir + "/COM5").c_str()), 0);

    std::string path;
    ASSERT_EQ(comnames::ResolveOpenPath("\\\\.\\COM5", path), 0);
    EXPECT_EQ(path, dir + "/COM5");

    // Others may write into the directory: its links are not trusted.
    ::chmod(dir.c_str(), 0777);
    EXPECT_EQ(comnames::CheckPortLinkDirectory(dir), EACCES);
    EXPECT_EQ(comnames::EnsurePortLinkDirectory(dir), EACCES);
    ASSERT_EQ(comnames::ResolveOpenPath("\\\\.\\COM5", path), 0);
    EXPECT_EQ(path, "/dev/ttyS4");

    // The same when only the parent is open to others: whoever can write
    // there could swap the directory after it was checked.
    ::chmod(dir.c_str(), 0700);
    ASSERT_EQ(comnames::CheckPortLinkDirectory(dir), 0);
    ::chmod((runtime.Path() + "/vadire").c_str(), 0777);
    EXPECT_EQ(comnames::CheckPortLinkDirectory(dir), EACCES);
}

TEST_F(PortLinkDirectory, PathsResolveByTableOrFailAsNotFound)
{
    std::string path;
    EXPECT_EQ(comnames::ResolveOpenPath("\\\\.\\COM33", path), 0);
    EXPECT_EQ(path, "/dev/ttyUSB0");
    EXPECT_EQ(comnames::ResolveOpenPath("\\\\.\\COM0", path), ENOENT);
    EXPECT_EQ(comnames::ResolveOpenPath("\\\\.\\COM200", path), ENOENT);
    EXPECT_EQ(comnames::ResolveOpenPath("\\\\.\\COM-1", path), ENOENT);
    EXPECT_EQ(comnames::ResolveOpenPath("/dev/pts/9", path), 0);
    EXPECT_EQ(path, "/dev/pts/9");
}

}  // namespace
