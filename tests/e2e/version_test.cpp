#include "program.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(Program, CarriesItsVersionRecord) {
    const std::string path = ProgramPath();
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> data(size);
    ASSERT_TRUE(::GetFileVersionInfoA(path.c_str(), 0, size, data.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1)); // 1, 0
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(1, 0)); // 0, 1
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(1, 0));

    WORD* translation = nullptr;
    ASSERT_TRUE(::VerQueryValueA(data.data(), "\\VarFileInfo\\Translation",
                                 reinterpret_cast<void**>(&translation), &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(translation[0], 0x0804);
    EXPECT_EQ(translation[1], 1200);

    char* name = nullptr;
    ASSERT_TRUE(::VerQueryValueA(data.data(), "\\StringFileInfo\\080404b0\\OriginalFilename",
                                 reinterpret_cast<void**>(&name), &length));
    EXPECT_STREQ(name, "Presovol.exe");
}

} // namespace
