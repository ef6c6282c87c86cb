// Program start without a socket layer or without the GBK codec.

#include "app/program.h"
#include "dialog_test_support.h"
#include "params/gbk_text.h"

#include <gtest/gtest.h>

namespace serverconf {
namespace {

TEST(ProgramTest, WithoutSocketsOrGbkItSaysSoUnderItsNameAndOpensNoWindow) {
    struct Case {
        bool socketLayerReady;
        bool gbkReady;
        QString message;
    };
    const Case cases[] = {
        {false, true, QStringLiteral("Windows 通信端口初始化失败。")},
        {true, false, QStringLiteral("GBK 编码（代码页 936）不可用，程序无法运行。")},
    };
    for (const Case& c : cases) {
        testing::NoticeRecorder notices;
        testing::ModalScript script;
        EXPECT_NE(runProgram(c.socketLayerReady, c.gbkReady), 0) << c.message.toStdString();
        ASSERT_EQ(notices.notices().size(), 1u) << c.message.toStdString();
        EXPECT_EQ(notices.notices()[0].title, QStringLiteral("serverconf"));
        EXPECT_EQ(notices.notices()[0].text, c.message);
        EXPECT_TRUE(script.opened().isEmpty()) << "no window without " << c.message.toStdString();
    }
}

TEST(ProgramTest, ThisBuildHasCodePage936) { EXPECT_TRUE(gbkAvailable()) << "serverconf cannot run on this build"; }

}  // namespace
}  // namespace serverconf
