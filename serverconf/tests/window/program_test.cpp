// Program start without a socket layer.

#include "app/program.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

namespace serverconf {
namespace {

TEST(ProgramTest, WithoutSocketsItSaysSoUnderItsNameAndOpensNoWindow) {
    testing::NoticeRecorder notices;
    testing::ModalScript script;
    EXPECT_NE(runProgram(false), 0);
    ASSERT_EQ(notices.notices().size(), 1u);
    EXPECT_EQ(notices.notices()[0].title, QStringLiteral("serverconf"));
    EXPECT_EQ(notices.notices()[0].text, QStringLiteral("Windows 通信端口初始化失败。"));
    EXPECT_TRUE(script.opened().isEmpty());
}

}  // namespace
}  // namespace serverconf
